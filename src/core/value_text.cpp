#include "core/value_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vendral {
namespace {

constexpr int kExactDigits = 18;
constexpr int kShownDigits = 15;
constexpr std::uint64_t kLowest18 = 100000000000000000ULL;  // 10^17
constexpr std::uint64_t kAbove18 = 1000000000000000000ULL;  // 10^18

__extension__ typedef unsigned __int128 U128;  // GCC and Clang; MSVC would need _umul128 and _udiv128

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

// The exact digits of a nonzero value, its significand's top bit set, from
// integer arithmetic, for the values whose scaling fits in 192 bits: every
// percentage that a run can produce. The library's frexpl, ldexpl and log10l took a third of a run on
// short reads.
bool FastDigits(const BinaryValue& value, ExactDigits& out) {
  const int shift = -value.exponent;  // value = significand * 2^-shift
  if (shift < 1 || shift > 127) return false;
  // value >= 2^(binary_exponent - 1), so floor(log10(value)) is at least
  // floor((binary_exponent - 1) * log10(2)); 78913 / 2^18 is log10(2)
  // closely enough for every exponent that passes the test above.
  const int binary_exponent = 64 - shift;
  const int lowest_log10 = ((binary_exponent - 1) * 78913) >> 18;
  int p = kExactDigits - 1 - lowest_log10;
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (p < 0 || p > 38) return false;
    std::uint64_t scaled = 0;
    if (!ScaledRounded(value.significand, shift, p, scaled)) return false;
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

// The digits of "d.ddddddddddddddddde+XX", as the C library and to_chars
// write a value exactly rounded to 18 digits.
ExactDigits DigitsOfScientific(const char* exact) {
  ExactDigits out{0, 0};
  const char* p = exact;
  for (; *p && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') out.digits = out.digits * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  out.exponent = std::atoi(p + 1) + 1;
  return out;
}

// n * 2^exponent rounded to nearest, ties to even, in a 64-bit
// significand; n from 2^64 to 2^127.
BinaryValue Rounded(U128 n, int exponent) {
  const int dropped = 64 - std::countl_zero(static_cast<std::uint64_t>(n >> 64));
  std::uint64_t significand = static_cast<std::uint64_t>(n >> dropped);
  const std::uint64_t rest = static_cast<std::uint64_t>(n) & ((std::uint64_t{1} << dropped) - 1);
  const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
  // Bitwise, not branches: which way a value rounds is not foreseeable.
  significand += (rest > half) | ((rest == half) & significand & 1);
  exponent += dropped;
  if (significand == 0) {  // the rounding carried out of the top bit
    significand = std::uint64_t{1} << 63;
    ++exponent;
  }
  return {significand, exponent, false};
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

// Writes the value text of the digits to text, returns its length.
std::size_t WriteValueText(char* text, bool negative, ExactDigits value_digits, char decimal_symbol) {
  char* out = text;
  auto [exact, exponent] = value_digits;
  if (exact == 0) {
    *out = '0';
    return 1;
  }
  if (negative) *out++ = '-';

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
  // A percentage of counts below 2^63 lies from 2^-57 to 2^7, where the
  // fast digits never fail; those of 0 (no hits) stay as they start.
  ExactDigits digits{0, 0};
  FastDigits(ExtendedPercentage(hits, total), digits);
  return WriteValueText(text, false, digits, decimal_symbol);
}

}  // namespace

BinaryValue ExtendedPercentage(std::int64_t hits, std::int64_t total) {
  if (hits == 0) return {};
  const int hits_zeros = std::countl_zero(static_cast<std::uint64_t>(hits));
  const int total_zeros = std::countl_zero(static_cast<std::uint64_t>(total));
  const std::uint64_t hits_top = static_cast<std::uint64_t>(hits) << hits_zeros;  // top bits set
  const std::uint64_t total_top = static_cast<std::uint64_t>(total) << total_zeros;
  // hits / total = hits_top / total_top * 2^(total_zeros - hits_zeros), the
  // quotient of the tops lying between 1/2 and 2: one division gives its
  // 64 bits.
  const int below_one = hits_top < total_top;
  const U128 dividend = static_cast<U128>(hits_top) << (63 + below_one);
  std::uint64_t quotient = static_cast<std::uint64_t>(dividend / total_top);
  const std::uint64_t remainder = static_cast<std::uint64_t>(dividend) - quotient * total_top;
  // Nearest, ties to even; a quotient of 64-bit tops never rounds up to 2^64.
  const std::uint64_t rest = total_top - remainder;
  quotient += (remainder > rest) | ((remainder == rest) & quotient & 1);
  return Rounded(static_cast<U128>(quotient) * 100, total_zeros - hits_zeros - 63 - below_one);
}

std::string ValueText(double value, char decimal_symbol) {
  ExactDigits digits{0, 0};
  if (value != 0) {
    char exact[64];
    *std::to_chars(exact, exact + sizeof exact - 1, std::fabs(value), std::chars_format::scientific,
                   kExactDigits - 1).ptr = '\0';
    digits = DigitsOfScientific(exact);
  }
  char text[kLongestText];
  return {text, WriteValueText(text, std::signbit(value), digits, decimal_symbol)};
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

#ifdef VENDRAL_X87_LONG_DOUBLE
BinaryValue ExtendedFields(long double value) {
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &value, sizeof bytes);
  std::uint64_t significand = 0;
  std::uint16_t sign_and_exponent = 0;
  std::memcpy(&significand, bytes, sizeof significand);
  std::memcpy(&sign_and_exponent, bytes + sizeof significand, sizeof sign_and_exponent);
  const bool negative = (sign_and_exponent >> 15) != 0;
  if (significand == 0) return {0, 0, negative};
  // value = significand * 2^(biased exponent - 16383 - 63); subnormals
  // have the exponent of biased 1 and leading zeros.
  const int zeros = std::countl_zero(significand);
  const int biased = std::max(sign_and_exponent & 0x7FFF, 1);
  return {significand << zeros, biased - 16383 - 63 - zeros, negative};
}

namespace {

// The digits of |value|, whose fields are given.
ExactDigits Digits(const BinaryValue& fields, long double value) {
  ExactDigits out{0, 0};
  if (fields.significand == 0 || FastDigits(fields, out)) return out;
  char exact[64];
  std::snprintf(exact, sizeof exact, "%.*Le", kExactDigits - 1, std::fabs(value));
  return DigitsOfScientific(exact);
}

}  // namespace

std::string ValueText(long double value, char decimal_symbol) {
  const BinaryValue fields = ExtendedFields(value);
  char text[kLongestText];
  return {text, WriteValueText(text, fields.negative, Digits(fields, value), decimal_symbol)};
}

DecimalDigits EighteenDigits(long double value) {
  const ExactDigits exact = Digits(ExtendedFields(value), value);
  char twenty_four[24];  // exact has 18 digits
  WriteEightDigits(twenty_four, static_cast<std::uint32_t>(exact.digits / 10000000000000000ULL));
  WriteSixteenDigits(twenty_four + 8, exact.digits % 10000000000000000ULL);
  DecimalDigits out;
  std::memcpy(out.digits.data(), twenty_four + 6, out.digits.size());
  out.exponent = exact.exponent;
  return out;
}
#endif

}  // namespace vendral
