// Percentages as the CSV files show them: a general format with 15
// significant digits and the user's decimal symbol.
#pragma once

#include <array>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vendral {

// A binary value in integers: significand * 2^exponent, the significand's
// top bit set unless the value is 0. It holds any value of the x87 extended
// format (a 64-bit significand) on any processor and compiler.
struct BinaryValue {
  std::uint64_t significand = 0;
  int exponent = 0;
  bool negative = false;
  bool operator==(const BinaryValue&) const = default;
};

// hits / total, then * 100, each step rounded to nearest (ties to even) in
// a 64-bit significand: what the x87 extended format computes, in integer
// arithmetic. 0 <= hits <= total, total > 0.
BinaryValue ExtendedPercentage(std::int64_t hits, std::int64_t total);

// The value text: the value taken to 18 significant digits, those rounded
// half up to 15, trailing zeros dropped; fixed notation from 0.0001 up to
// 15 integer digits, exponent notation (5E-5) below and above. value is
// finite.
std::string ValueText(double value, char decimal_symbol);

// The value text of ExtendedPercentage(hits, total).
std::string PercentageText(std::int64_t hits, std::int64_t total, char decimal_symbol);
void AppendPercentageText(std::string& out, std::int64_t hits, std::int64_t total, char decimal_symbol);

// AppendPercentageText with the texts it made kept: reads of one length
// give the same few (hits, total) pairs again and again, and a kept text
// is a copy instead of a conversion. The texts of one total go to
// different places as long as their hits are fewer than 256 apart.
class PercentageTexts {
 public:
  explicit PercentageTexts(char decimal_symbol) : decimal_symbol_(decimal_symbol) {}
  // The text AppendPercentageText appends; 0 <= hits <= total, total > 0.
  // It stays valid until the next call.
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

// Where long double is the x87 extended format, tests hold the integer
// arithmetic against the processor's own; nothing else uses these.
#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
#define VENDRAL_X87_LONG_DOUBLE 1

// The value's fields, read from its bytes.
BinaryValue ExtendedFields(long double value);
// The value text of any long double, as ValueText.
std::string ValueText(long double value, char decimal_symbol);

// The value's first 18 significant digits, rounded to nearest (ties to
// even), and its decimal exponent E: value ~ 0.d1d2...d18 * 10^E.
struct DecimalDigits {
  std::array<char, 18> digits;
  int exponent;
};
DecimalDigits EighteenDigits(long double value);
#endif

}  // namespace vendral
