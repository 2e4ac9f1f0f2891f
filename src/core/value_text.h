// Percentages as the CSV files show them: a general format with 15
// significant digits and the user's decimal symbol.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vendral {

// The value taken to 18 significant digits, those rounded half up to 15,
// trailing zeros dropped; fixed notation from 0.0001 up to 15 integer
// digits, exponent notation (5E-5) below.
std::string ValueText(long double value, char decimal_symbol);
// The same, appended to out.
void AppendValueText(std::string& out, long double value, char decimal_symbol);

// The value's first 18 significant digits, rounded to nearest (ties to
// even), and its decimal exponent E: value ~ 0.d1d2...d18 * 10^E.
struct DecimalDigits {
  std::array<char, 18> digits;
  int exponent;
};
DecimalDigits EighteenDigits(long double value);

// hits / total * 100 in extended precision, as ValueText; total > 0.
std::string PercentageText(std::int64_t hits, std::int64_t total, char decimal_symbol);
void AppendPercentageText(std::string& out, std::int64_t hits, std::int64_t total, char decimal_symbol);

// AppendPercentageText with the texts it made kept: reads of one length
// give the same few (hits, total) pairs again and again, and a kept text
// is a copy instead of a conversion. The texts of one total go to
// different places as long as their hits are fewer than 256 apart.
class PercentageTexts {
 public:
  explicit PercentageTexts(char decimal_symbol) : decimal_symbol_(decimal_symbol) {}
  // The text AppendPercentageText appends; total > 0. It stays valid
  // until the next call.
  std::string_view Text(std::int64_t hits, std::int64_t total) {
    const Kept& kept = Find(hits, total);
    return {kept.text, kept.size};
  }
  // The same text stored at out, which has room for kTextRoom bytes: they
  // are all stored, a fixed-size copy being cheaper than one of the text's
  // size. Returns the text's size.
  static constexpr std::size_t kTextRoom = 32;
  std::size_t CopyText(std::int64_t hits, std::int64_t total, char* out) {
    const Kept& kept = Find(hits, total);
    std::memcpy(out, kept.text, kTextRoom);
    return kept.size;
  }

 private:
  struct Kept {
    std::int64_t hits = 0;
    std::int64_t total = 0;  // 0: nothing kept here
    std::uint8_t size = 0;
    char text[kTextRoom];  // room for any value text
  };
  const Kept& Find(std::int64_t hits, std::int64_t total) {
    Kept& kept = kept_[static_cast<std::uint64_t>(hits) % kept_.size()];
    if (kept.hits != hits || kept.total != total) Make(kept, hits, total);
    return kept;
  }
  void Make(Kept& kept, std::int64_t hits, std::int64_t total);

  char decimal_symbol_;
  std::array<Kept, 256> kept_{};  // by the low bits of hits
};

}  // namespace vendral
