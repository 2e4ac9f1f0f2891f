#include "core/value_text.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace vendral {

// The digits of a percentage depend on the 64-bit significand of the x87
// extended format; a narrower long double would change the last digits.
static_assert(std::numeric_limits<long double>::digits == 64,
              "percentages need the 80-bit extended format");
static_assert(std::endian::native == std::endian::little, "the significand is read from the first 8 bytes");

namespace {

constexpr int kExactDigits = 18;
constexpr int kShownDigits = 15;
constexpr std::uint64_t kLowest18 = 100000000000000000ULL;  // 10^17
constexpr std::uint64_t kAbove18 = 1000000000000000000ULL;  // 10^18

__extension__ typedef unsigned __int128 U128;  // GCC and Clang; MSVC would need _umul128

// A 192-bit unsigned number, least significant word first.
struct U192 {
  std::uint64_t word[3];
};

U192 Multiply(std::uint64_t a, U128 b) {
  const U128 low = static_cast<U128>(a) * static_cast<std::uint64_t>(b);
  const U128 high = static_cast<U128>(a) * static_cast<std::uint64_t>(b >> 64);
  const U128 middle = (low >> 64) + static_cast<std::uint64_t>(high);
  return {{static_cast<std::uint64_t>(low), static_cast<std::uint64_t>(middle),
           static_cast<std::uint64_t>(middle >> 64) + static_cast<std::uint64_t>(high >> 64)}};
}

bool BitAt(const U192& n, int i) { return (n.word[i / 64] >> (i % 64)) & 1; }

// Without an early way out: which way a bit of the digits goes is not
// foreseeable, and a wrong guess costs more than the few words.
bool AnyBitBelow(const U192& n, int i) {
  std::uint64_t bits = 0;
  for (int w = 0; w < i / 64; ++w) bits |= n.word[w];
  if (i % 64 != 0) bits |= n.word[i / 64] & ((std::uint64_t{1} << (i % 64)) - 1);
  return bits != 0;
}

bool AnyBitFrom(const U192& n, int i) {
  for (int w = 2; w > i / 64; --w) {
    if (n.word[w] != 0) return true;
  }
  return (n.word[i / 64] >> (i % 64)) != 0;
}

// Bits shift to shift + 63 of n.
std::uint64_t BitsFrom(const U192& n, int shift) {
  const int w = shift / 64;
  const int b = shift % 64;
  std::uint64_t bits = n.word[w] >> b;
  if (b != 0 && w + 1 < 3) bits |= n.word[w + 1] << (64 - b);
  return bits;
}

// 10^0 to 10^38, all that fit in 128 bits.
constexpr std::array<U128, 39> kPowersOfTen = [] {
  std::array<U128, 39> powers{};
  U128 power = 1;
  for (U128& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

// value * 10^p rounded to an integer, exactly, when value = mantissa *
// 2^-shift; nothing when the product does not fit the 64-bit result.
bool ScaledRounded(std::uint64_t mantissa, int shift, int p, std::uint64_t& result) {
  const U192 product = Multiply(mantissa, kPowersOfTen[static_cast<std::size_t>(p)]);
  if (shift + 64 < 192 && AnyBitFrom(product, shift + 64)) return false;
  std::uint64_t rounded = BitsFrom(product, shift);
  // Half up, ties to even; bitwise, not branches, for the same reason.
  rounded += BitAt(product, shift - 1) & (AnyBitBelow(product, shift - 1) | (rounded & 1));
  result = rounded;
  return true;
}

// The first 18 significant digits as one number from 10^17 to 10^18 - 1,
// and the decimal exponent E: value ~ 0.d1d2...d18 * 10^E.
struct ExactDigits {
  std::uint64_t digits;
  int exponent;
};

// A long double's fields as the x87 format stores them, read from its
// bytes. Tests of the value itself would take it through the x87 registers
// and back to memory once more, and each store of all its 10 bytes makes
// the next read of its parts wait.
struct Extended {
  std::uint64_t mantissa;  // with its leading 1 bit where the value is normal
  int biased_exponent;
  bool negative;
  bool IsZero() const { return biased_exponent == 0 && mantissa == 0; }
};

Extended FieldsOf(long double value) {
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &value, sizeof bytes);
  std::uint64_t mantissa = 0;
  std::uint16_t sign_and_exponent = 0;
  std::memcpy(&mantissa, bytes, sizeof mantissa);
  std::memcpy(&sign_and_exponent, bytes + sizeof mantissa, sizeof sign_and_exponent);
  return {mantissa, sign_and_exponent & 0x7FFF, (sign_and_exponent >> 15) != 0};
}

// The exact digits of the value's magnitude from integer arithmetic, for
// the values whose scaling fits in 192 bits: every percentage that a run
// can produce. The library's frexpl, ldexpl and log10l took a third of a
// run on short reads.
bool FastDigits(const Extended& value, ExactDigits& out) {
  const std::uint64_t mantissa = value.mantissa;
  const int biased = value.biased_exponent;
  if (biased == 0 || biased == 0x7FFF || (mantissa >> 63) == 0) return false;  // subnormal, infinite, NaN
  const int binary_exponent = biased - 16382;  // value = mantissa * 2^-64 * 2^binary_exponent
  const int shift = 64 - binary_exponent;      // value = mantissa * 2^-shift
  if (shift < 1 || shift > 127) return false;
  // value >= 2^(binary_exponent - 1), so floor(log10(value)) is at least
  // floor((binary_exponent - 1) * log10(2)); 78913 / 2^18 is log10(2)
  // closely enough for every exponent that passes the test above.
  const int lowest_log10 = ((binary_exponent - 1) * 78913) >> 18;
  int p = kExactDigits - 1 - lowest_log10;
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (p < 0 || p > 38) return false;
    std::uint64_t scaled = 0;
    if (!ScaledRounded(mantissa, shift, p, scaled)) return false;
    if (scaled >= kAbove18) {
      --p;
    } else if (scaled < kLowest18) {
      ++p;
    } else {
      out = {scaled, kExactDigits - p};
      return true;
    }
  }
  return false;
}

// The digits of |value|, whose fields are given.
ExactDigits Digits(const Extended& fields, long double value) {
  ExactDigits out;
  if (FastDigits(fields, out)) return out;
  // "d.ddddddddddddddddde+XX": the C library rounds exactly as well.
  char exact[64];
  std::snprintf(exact, sizeof exact, "%.*Le", kExactDigits - 1, fields.negative ? -value : value);
  const char* p = exact;
  out.digits = 0;
  for (; *p && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') out.digits = out.digits * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  out.exponent = std::atoi(p + 1) + 1;
  return out;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The 8 decimal digits of n < 10^8, leading zeros included, in halves and
// quarters that do not wait for one another.
void WriteEightDigits(char* out, std::uint32_t n) {
  const std::uint32_t high = n / 10000;
  const std::uint32_t low = n % 10000;
  std::memcpy(out, kDigitPairs + 2 * (high / 100), 2);
  std::memcpy(out + 2, kDigitPairs + 2 * (high % 100), 2);
  std::memcpy(out + 4, kDigitPairs + 2 * (low / 100), 2);
  std::memcpy(out + 6, kDigitPairs + 2 * (low % 100), 2);
}

// The 16 decimal digits of n < 10^16, leading zeros included.
void WriteSixteenDigits(char* out, std::uint64_t n) {
  WriteEightDigits(out, static_cast<std::uint32_t>(n / 100000000));
  WriteEightDigits(out + 8, static_cast<std::uint32_t>(n % 100000000));
}

// The longest text: a sign, 15 digits, the separator and "E-4951".
constexpr std::size_t kLongestText = 32;

// Writes the value text to text, returns its length.
std::size_t WriteValueText(char* text, long double value, char decimal_symbol) {
  char* out = text;
  const Extended fields = FieldsOf(value);
  if (fields.IsZero()) {
    *out = '0';
    return 1;
  }
  if (fields.negative) *out++ = '-';
  auto [exact, exponent] = Digits(fields, value);

  // Half up to 15 digits, then the trailing zeros go.
  constexpr std::uint64_t kLowest15 = 100000000000000ULL;  // 10^14
  std::uint64_t shown = exact / 1000 + (exact % 1000 >= 500);
  if (shown == 10 * kLowest15) {  // 99...9 became 100...0
    shown = kLowest15;
    ++exponent;
  }
  char sixteen[16];
  WriteSixteenDigits(sixteen, shown);
  const char* digits = sixteen + 1;  // shown has 15 digits
  int count = kShownDigits;
  while (digits[count - 1] == '0') --count;  // shown is not 0

  if (exponent >= -3 && exponent <= kShownDigits) {
    if (exponent > 0) {
      const int whole = exponent;
      if (count <= whole) {
        std::memcpy(out, digits, static_cast<std::size_t>(count));
        out += count;
        std::memset(out, '0', static_cast<std::size_t>(whole - count));
        out += whole - count;
      } else {
        std::memcpy(out, digits, static_cast<std::size_t>(whole));
        out += whole;
        *out++ = decimal_symbol;
        std::memcpy(out, digits + whole, static_cast<std::size_t>(count - whole));
        out += count - whole;
      }
    } else {
      *out++ = '0';
      *out++ = decimal_symbol;
      std::memset(out, '0', static_cast<std::size_t>(-exponent));
      out += -exponent;
      std::memcpy(out, digits, static_cast<std::size_t>(count));
      out += count;
    }
  } else {
    *out++ = digits[0];
    if (count > 1) {
      *out++ = decimal_symbol;
      std::memcpy(out, digits + 1, static_cast<std::size_t>(count - 1));
      out += count - 1;
    }
    *out++ = 'E';
    out = std::to_chars(out, text + kLongestText, exponent - 1).ptr;
  }
  return static_cast<std::size_t>(out - text);
}

std::size_t WritePercentageText(char* text, std::int64_t hits, std::int64_t total, char decimal_symbol) {
  const long double share = static_cast<long double>(hits) / static_cast<long double>(total);
  return WriteValueText(text, share * 100.0L, decimal_symbol);
}

}  // namespace

DecimalDigits EighteenDigits(long double value) {
  const ExactDigits exact = Digits(FieldsOf(value), value);
  char twenty_four[24];  // exact has 18 digits
  WriteEightDigits(twenty_four, static_cast<std::uint32_t>(exact.digits / 10000000000000000ULL));
  WriteSixteenDigits(twenty_four + 8, exact.digits % 10000000000000000ULL);
  DecimalDigits out;
  std::memcpy(out.digits.data(), twenty_four + 6, out.digits.size());
  out.exponent = exact.exponent;
  return out;
}

std::string ValueText(long double value, char decimal_symbol) {
  std::string text;
  AppendValueText(text, value, decimal_symbol);
  return text;
}

void AppendValueText(std::string& out, long double value, char decimal_symbol) {
  char text[kLongestText];
  out.append(text, WriteValueText(text, value, decimal_symbol));
}

std::string PercentageText(std::int64_t hits, std::int64_t total, char decimal_symbol) {
  std::string text;
  AppendPercentageText(text, hits, total, decimal_symbol);
  return text;
}

void AppendPercentageText(std::string& out, std::int64_t hits, std::int64_t total, char decimal_symbol) {
  char text[kLongestText];
  out.append(text, WritePercentageText(text, hits, total, decimal_symbol));
}

void PercentageTexts::Make(Kept& kept, std::int64_t hits, std::int64_t total) {
  static_assert(sizeof kept.text >= kLongestText);
  kept.size = static_cast<std::uint8_t>(WritePercentageText(kept.text, hits, total, decimal_symbol_));
  kept.hits = hits;
  kept.total = total;
}

}  // namespace vendral
