#include "core/value_text.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vendral {

// The digits of a percentage depend on the 64-bit significand of the x87
// extended format; a narrower long double would change the last digits.
static_assert(std::numeric_limits<long double>::digits == 64,
              "percentages need the 80-bit extended format");

namespace {

constexpr int kExactDigits = 18;
constexpr int kShownDigits = 15;

}  // namespace

std::string ValueText(long double value, char decimal_symbol) {
  if (value == 0) return "0";
  std::string sign;
  if (value < 0) {
    sign = "-";
    value = -value;
  }
  // "d.ddddddddddddddddde+XX": 18 significant digits, rounded to nearest.
  char exact[64];
  std::snprintf(exact, sizeof exact, "%.*Le", kExactDigits - 1, value);
  std::string digits;
  const char* p = exact;
  for (; *p && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') digits += *p;
  }
  int exponent = std::atoi(p + 1) + 1;  // value = 0.d1d2... * 10^exponent

  // Half up to 15 digits.
  const bool round_up = digits[kShownDigits] >= '5';
  digits.resize(kShownDigits);
  if (round_up) {
    int i = kShownDigits - 1;
    while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    } else {
      ++digits[static_cast<std::size_t>(i)];
    }
  }
  digits.erase(digits.find_last_not_of('0') + 1);

  std::string text = sign;
  if (exponent >= -3 && exponent <= kShownDigits) {
    if (exponent > 0) {
      const auto whole = static_cast<std::size_t>(exponent);
      if (digits.size() <= whole) {
        text += digits + std::string(whole - digits.size(), '0');
      } else {
        text += digits.substr(0, whole) + decimal_symbol + digits.substr(whole);
      }
    } else {
      text += std::string("0") + decimal_symbol + std::string(static_cast<std::size_t>(-exponent), '0') + digits;
    }
  } else {
    text += digits[0];
    if (digits.size() > 1) text += decimal_symbol + digits.substr(1);
    text += 'E' + std::to_string(exponent - 1);
  }
  return text;
}

std::string PercentageText(std::int64_t hits, std::int64_t total, char decimal_symbol) {
  const long double share = static_cast<long double>(hits) / static_cast<long double>(total);
  return ValueText(share * 100.0L, decimal_symbol);
}

}  // namespace vendral
