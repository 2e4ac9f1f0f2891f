#include "core/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace vendral {

// The digits of a percentage depend on the 64-bit significand of the x87
// extended format; a narrower long double would change the last digits.
static_assert(std::numeric_limits<long double>::digits == 64,
              "percentages need the 80-bit extended format");

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

bool AnyBitBelow(const U192& n, int i) {
  for (int w = 0; w < i / 64; ++w) {
    if (n.word[w] != 0) return true;
  }
  return i % 64 != 0 && (n.word[i / 64] & ((std::uint64_t{1} << (i % 64)) - 1)) != 0;
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

U128 PowerOfTen(int p) {
  U128 power = 1;
  while (p-- > 0) power *= 10;
  return power;
}

// value * 10^p rounded to an integer, exactly, when value = mantissa *
// 2^-shift; nothing when the product does not fit the 64-bit result.
bool ScaledRounded(std::uint64_t mantissa, int shift, int p, std::uint64_t& result) {
  const U192 product = Multiply(mantissa, PowerOfTen(p));
  if (shift + 64 < 192 && AnyBitFrom(product, shift + 64)) return false;
  std::uint64_t rounded = BitsFrom(product, shift);
  if (BitAt(product, shift - 1) && (AnyBitBelow(product, shift - 1) || (rounded & 1))) ++rounded;
  result = rounded;
  return true;
}

// The exact digits from integer arithmetic, for the values whose scaling
// fits in 192 bits: every percentage that a run can produce.
bool FastDigits(long double value, DecimalDigits& out) {
  int binary_exponent = 0;
  const long double fraction = std::frexp(value, &binary_exponent);  // value = fraction * 2^e
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
  const int shift = 64 - binary_exponent;  // value = mantissa * 2^-shift
  int p = kExactDigits - 1 - static_cast<int>(std::floor(std::log10(value)));
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (shift < 1 || shift > 127 || p < 0 || p > 38) return false;
    std::uint64_t scaled = 0;
    if (!ScaledRounded(mantissa, shift, p, scaled)) return false;
    if (scaled >= kAbove18) {
      --p;
    } else if (scaled < kLowest18) {
      ++p;
    } else {
      std::to_chars(out.digits.data(), out.digits.data() + out.digits.size(), scaled);
      out.exponent = kExactDigits - p;
      return true;
    }
  }
  return false;
}

}  // namespace

DecimalDigits EighteenDigits(long double value) {
  DecimalDigits out;
  if (FastDigits(value, out)) return out;
  // "d.ddddddddddddddddde+XX": the C library rounds exactly as well.
  char exact[64];
  std::snprintf(exact, sizeof exact, "%.*Le", kExactDigits - 1, value);
  const char* p = exact;
  std::size_t n = 0;
  for (; *p && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9' && n < out.digits.size()) out.digits[n++] = *p;
  }
  out.exponent = std::atoi(p + 1) + 1;
  return out;
}

std::string ValueText(long double value, char decimal_symbol) {
  std::string text;
  AppendValueText(text, value, decimal_symbol);
  return text;
}

void AppendValueText(std::string& out, long double value, char decimal_symbol) {
  if (value == 0) {
    out += '0';
    return;
  }
  if (value < 0) {
    out += '-';
    value = -value;
  }
  auto [exact, exponent] = EighteenDigits(value);

  // Half up to 15 digits.
  char* digits = exact.data();
  int count = kShownDigits;
  if (digits[kShownDigits] >= '5') {
    int i = kShownDigits - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i < 0) {  // 99...9 became 100...0
      digits[0] = '1';
      ++exponent;
    } else {
      ++digits[i];
    }
  }
  while (count > 1 && digits[count - 1] == '0') --count;  // trailing zeros go
  const std::string_view shown(digits, static_cast<std::size_t>(count));

  if (exponent >= -3 && exponent <= kShownDigits) {
    if (exponent > 0) {
      const auto whole = static_cast<std::size_t>(exponent);
      if (shown.size() <= whole) {
        out.append(shown).append(whole - shown.size(), '0');
      } else {
        out.append(shown.substr(0, whole)).append(1, decimal_symbol).append(shown.substr(whole));
      }
    } else {
      out.append(1, '0').append(1, decimal_symbol).append(static_cast<std::size_t>(-exponent), '0').append(shown);
    }
  } else {
    out += shown[0];
    if (shown.size() > 1) out.append(1, decimal_symbol).append(shown.substr(1));
    out += 'E';
    out += std::to_string(exponent - 1);
  }
}

std::string PercentageText(std::int64_t hits, std::int64_t total, char decimal_symbol) {
  std::string text;
  AppendPercentageText(text, hits, total, decimal_symbol);
  return text;
}

void AppendPercentageText(std::string& out, std::int64_t hits, std::int64_t total, char decimal_symbol) {
  const long double share = static_cast<long double>(hits) / static_cast<long double>(total);
  AppendValueText(out, share * 100.0L, decimal_symbol);
}

}  // namespace vendral
