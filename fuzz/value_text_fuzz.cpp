// The value text against a reference built on the C library's exact
// conversion: 18 significant digits from snprintf, rounded half up to 15
// in decimal, trailing zeros dropped, fixed notation for decimal exponents
// from -4 to 14 and exponent notation otherwise. Fed with percentages of
// any 63-bit counts and with finite long doubles of every size.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/text/value_text.h"
#include "fuzz_check.h"
#include "fuzz_input.h"

namespace vendral::fuzz {
namespace {

std::string ReferenceText(long double value, char decimal_symbol) {
  if (value == 0) return "0";
  std::string text = value < 0 ? "-" : "";
  char exact[64];
  std::snprintf(exact, sizeof exact, "%.17Le", std::fabs(value));  // d.ddddddddddddddddde±X
  std::string digits = std::string(1, exact[0]) + std::string(exact + 2, 17);
  int exponent = std::atoi(std::strchr(exact, 'e') + 1);  // value = d.ddd * 10^exponent

  const bool round_up = digits[15] >= '5';
  digits.resize(15);
  if (round_up) {
    int i = 14;
    for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    }
  }
  digits.erase(digits.find_last_not_of('0') + 1);

  if (exponent < -4 || exponent > 14) {
    text += digits[0];
    if (digits.size() > 1) text += decimal_symbol + digits.substr(1);
    return text + "E" + std::to_string(exponent);
  }
  if (exponent < 0) return text + "0" + decimal_symbol + std::string(-exponent - 1, '0') + digits;
  const auto whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) return text + digits + std::string(whole - digits.size(), '0');
  return text + digits.substr(0, whole) + decimal_symbol + digits.substr(whole);
}

std::uint64_t Word(FuzzInput& input) {
  std::uint64_t word = 0;
  for (int i = 0; i < 8; ++i) word = word << 8 | input.Byte();
  return word;
}

// A finite, normal or subnormal long double of either sign.
long double AnyValue(FuzzInput& input) {
  const std::uint64_t mantissa = Word(input) | (std::uint64_t{1} << 63);
  const int exponent = static_cast<int>((input.Byte() << 8 | input.Byte()) % 32830) - 16445 - 64;
  const long double value = std::ldexp(static_cast<long double>(mantissa), exponent);
  return input.Byte() & 1 ? -value : value;
}

}  // namespace
}  // namespace vendral::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendral::fuzz;
  FuzzInput input(data, size);
  const std::uint8_t choice = input.Byte();
  const char decimal_symbol = choice & 1 ? ',' : '.';
  if (choice & 2) {
    const long double value = AnyValue(input);
    RequireEqual("ValueText", ReferenceText(value, decimal_symbol), vendral::ValueText(value, decimal_symbol));
  } else {
    // A record's counts: total at least 1, hits up to total.
    const std::uint64_t total = Word(input) % (std::uint64_t{1} << (1 + choice % 62)) + 1;
    const std::uint64_t hits = Word(input) % (total + 1);
    const long double share = static_cast<long double>(hits) / static_cast<long double>(total) * 100.0L;
    RequireEqual("PercentageText", ReferenceText(share, decimal_symbol),
                 vendral::PercentageText(static_cast<std::int64_t>(hits), static_cast<std::int64_t>(total),
                                         decimal_symbol));
  }
  return 0;
}
