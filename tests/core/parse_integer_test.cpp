#include "core/text/parse_integer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/run/failure.h"

namespace vendral {
namespace {

struct ParseCase {
  std::string text;
  std::optional<std::int32_t> value;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << '\'' << c.text << '\''; }

class ParseIntegerCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseIntegerCases, AcceptsOrRejects) {
  const auto& [text, value] = GetParam();
  EXPECT_EQ(TryParseInteger(text), value);
  if (value) {
    EXPECT_EQ(ParseInteger(text), *value);
  } else {
    try {
      ParseInteger(text);
      FAIL() << "accepted";
    } catch (const ConversionError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid integer value");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, ParseIntegerCases,
    ::testing::Values(ParseCase{"0", 0}, ParseCase{"1000", 1000}, ParseCase{"007", 7},
                      ParseCase{"+7", 7}, ParseCase{"-0", 0}, ParseCase{"-12", -12},
                      ParseCase{"   42", 42}, ParseCase{"  -3", -3},
                      ParseCase{"2147483647", 2147483647}, ParseCase{"-2147483648", INT32_MIN},
                      ParseCase{"000000000002147483647", 2147483647},
                      ParseCase{"2147483648", std::nullopt}, ParseCase{"-2147483649", std::nullopt},
                      ParseCase{"99999999999999999999", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, ParseIntegerCases,
    ::testing::Values(ParseCase{"$10", 16}, ParseCase{"x1F", 31}, ParseCase{"X1f", 31},
                      ParseCase{"0x7fffffff", 2147483647}, ParseCase{"0XFF", 255},
                      ParseCase{"$FFFFFFFF", -1}, ParseCase{"$80000000", INT32_MIN},
                      ParseCase{"  $a", 10}, ParseCase{"$000000000001", 1},
                      ParseCase{"$100000000", std::nullopt}, ParseCase{"-$1", std::nullopt},
                      ParseCase{"+0x1", std::nullopt}, ParseCase{"$", std::nullopt},
                      ParseCase{"0x", std::nullopt}, ParseCase{"x", std::nullopt},
                      ParseCase{"$G", std::nullopt}, ParseCase{"00x1", std::nullopt}));

// Up to nine plain digits take a shorter way than the rest; the texts on
// either side of it must read as the general rules read them.
INSTANTIATE_TEST_SUITE_P(
    AroundShortDigits, ParseIntegerCases,
    ::testing::Values(ParseCase{"9", 9}, ParseCase{"999999999", 999999999},
                      ParseCase{"000000000", 0}, ParseCase{"000000012", 12},
                      ParseCase{"1000000000", 1000000000}, ParseCase{"0000000007", 7},
                      ParseCase{"9999999999", std::nullopt}, ParseCase{"12345678/", std::nullopt},
                      ParseCase{"1234:5678", std::nullopt}, ParseCase{"0x1", 1}, ParseCase{"0X0a", 10},
                      ParseCase{" 12", 12}, ParseCase{"12 ", std::nullopt}, ParseCase{"+12", 12},
                      ParseCase{"1-", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, ParseIntegerCases,
    ::testing::Values(ParseCase{"", std::nullopt}, ParseCase{"   ", std::nullopt},
                      ParseCase{"-", std::nullopt}, ParseCase{"+", std::nullopt},
                      ParseCase{"12a", std::nullopt}, ParseCase{"12 ", std::nullopt},
                      ParseCase{"\t5", std::nullopt}, ParseCase{"- 5", std::nullopt},
                      ParseCase{"2.5", std::nullopt}, ParseCase{"1e3", std::nullopt},
                      ParseCase{"5\r", std::nullopt}));

}  // namespace
}  // namespace vendral
