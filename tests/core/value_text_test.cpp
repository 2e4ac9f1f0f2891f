#include "core/value_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace vendral {
namespace {

struct PercentageCase {
  std::int64_t hits;
  std::int64_t total;
  std::string text;
};

void PrintTo(const PercentageCase& c, std::ostream* os) { *os << c.hits << " of " << c.total; }

class Percentage : public ::testing::TestWithParam<PercentageCase> {};

TEST_P(Percentage, IsWrittenWith15SignificantDigits) {
  EXPECT_EQ(PercentageText(GetParam().hits, GetParam().total, '.'), GetParam().text);
}

// The examples of the value text's rules.
const PercentageCase kExamples[] = {
    {0, 5, "0"},           {4, 4, "100"},         {1, 8, "12.5"},
    {2, 5, "40"},          {1, 3, "33.3333333333333"},
    {2, 3, "66.6666666666667"},                   {5, 7, "71.4285714285714"},
    {1, 500000, "0.0002"}, {1, 1000000, "0.0001"}, {1, 2000000, "5E-5"},
    {1, 1 << 20, "9.5367431640625E-5"},           {1, 3000000, "3.33333333333333E-5"}};
INSTANTIATE_TEST_SUITE_P(Examples, Percentage, ::testing::ValuesIn(kExamples));

// Expected texts come from exact rational arithmetic that rounds to the
// 64-bit significand after the division and after the multiplication.
// The first group rounds differently when the exact value is rounded
// straight to 15 digits instead of first to 18; the second group comes
// out differently when computed in double precision.
INSTANTIATE_TEST_SUITE_P(
    HardCases, Percentage,
    ::testing::Values(PercentageCase{436, 971, "44.9021627188466"}, PercentageCase{319, 987, "32.3201621073962"},
                      PercentageCase{499, 999, "49.94994994995"}, PercentageCase{501, 1001, "50.0499500499501"},
                      PercentageCase{773, 1007, "76.7626613704072"},
                      PercentageCase{12, 17, "70.5882352941176"}, PercentageCase{17, 21, "80.952380952381"},
                      PercentageCase{14, 27, "51.8518518518519"}, PercentageCase{15, 31, "48.3870967741935"},
                      PercentageCase{17, 37, "45.9459459459459"}));

// Totals beyond 32 bits, a carry through every digit, and exponent forms.
INSTANTIATE_TEST_SUITE_P(
    Extremes, Percentage,
    ::testing::Values(PercentageCase{1999999999999999, 2000000000000000, "100"},
                      PercentageCase{999999999999999, 1000000000000000, "99.9999999999999"},
                      PercentageCase{2147483648LL, 4294967296LL, "50"},
                      PercentageCase{2147483649LL, 4294967299LL, "49.9999999883585"},
                      PercentageCase{1, 4611686018427387904LL, "2.16840434497101E-17"},
                      PercentageCase{3, 7000000000LL, "4.28571428571429E-8"},
                      PercentageCase{1, 10000000, "1E-5"}, PercentageCase{1, 9999999, "1.00000010000001E-5"},
                      PercentageCase{123456789, 1000000000000LL, "0.0123456789"},
                      PercentageCase{999999, 1000000, "99.9999"}));

TEST(ValueText, UsesTheDecimalSymbolAndNoThousandsSeparator) {
  EXPECT_EQ(PercentageText(1, 3, ','), "33,3333333333333");
  EXPECT_EQ(PercentageText(1, 3000000, ','), "3,33333333333333E-5");
  EXPECT_EQ(ValueText(123456789012345.0, ','), "123456789012345");
  EXPECT_EQ(ValueText(1234567.25, '.'), "1234567.25");
}

TEST(ValueText, SwitchesToExponentAbove15IntegerDigits) {
  EXPECT_EQ(ValueText(999999999999999.0, '.'), "999999999999999");
  EXPECT_EQ(ValueText(1e15, '.'), "1E15");
  EXPECT_EQ(ValueText(2.5e20, '.'), "2.5E20");
}

struct ValueCase {
  double value;
  const char* text;
};

// Rounding half up at the 16th digit, where a carry through every digit
// moves the value to the next power of ten and so may change its notation;
// and the ends of the range of double.
TEST(ValueText, RoundsHalfUpAcrossPowersOfTen) {
  const ValueCase cases[] = {
      {99.99999999999996, "100"},
      {99.99999999999994, "99.9999999999999"},
      {9.999999999999995e-5, "0.0001"},
      {9.999999999999994e-5, "9.99999999999999E-5"},
      {999999999999999.5, "1E15"},
      {999999999999999.4, "999999999999999"},
      {0.0001, "0.0001"},
      {0.000123456789012345678, "0.000123456789012346"},
      {12345678901234.55, "12345678901234.6"},
      {1.5, "1.5"},
      {-0.25, "-0.25"},
      {-9.999999999999995e-5, "-0.0001"},
      {1e-300, "1E-300"},
      {-std::numeric_limits<double>::max(), "-1.79769313486232E308"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(ValueText(c.value, '.'), c.text) << c.text;
}

// The sign and zero are read from the value's bits: negative zero is 0 too.
TEST(ValueText, ZeroOfEitherSign) {
  EXPECT_EQ(ValueText(0.0, ','), "0");
  EXPECT_EQ(ValueText(-0.0, ','), "0");
  EXPECT_EQ(ValueText(-std::numeric_limits<double>::denorm_min(), ',').substr(0, 3), "-4,");
}

}  // namespace
}  // namespace vendral

// Where long double is the x87 extended format, the integer arithmetic
// and the digits against the processor's and the C library's own.
#ifdef VENDRAL_X87_LONG_DOUBLE
namespace vendral {
namespace {

// The integer digit path against the C library's exact conversion, on
// percentages of every size and on values near powers of ten.
TEST(EighteenDigits, AgreesWithTheCLibrary) {
  std::uint64_t state = 7;
  auto next = [&state] {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return state >> 11;
  };
  auto check = [](long double value) {
    char exact[64];
    std::snprintf(exact, sizeof exact, "%.17Le", value);
    std::string digits;
    const char* p = exact;
    for (; *p != 'e'; ++p) {
      if (*p != '.') digits += *p;
    }
    const DecimalDigits got = EighteenDigits(value);
    ASSERT_EQ(std::string(got.digits.begin(), got.digits.end()), digits) << exact;
    ASSERT_EQ(got.exponent, std::atoi(p + 1) + 1) << exact;
  };
  for (int i = 0; i < 200000; ++i) {
    const std::int64_t total = static_cast<std::int64_t>(next() % (std::uint64_t{1} << (1 + i % 62))) + 1;
    const std::int64_t hits = static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(total)) + 1;
    check(static_cast<long double>(hits) / static_cast<long double>(total) * 100.0L);
  }
  for (long double power = 1e-30L; power < 1e30L; power *= 10) {
    check(power);
    check(std::nextafter(power, 0.0L));
    check(std::nextafter(power, 1e40L));
  }
  // The ends of every binary exponent around the values a percentage can
  // take, where the estimate of the decimal exponent is least sure.
  for (int e = -80; e <= 80; ++e) {
    const long double power = std::ldexp(1.0L, e);
    check(power);
    check(std::nextafter(power, 0.0L));
    check(std::nextafter(power, 1e40L));
  }
}

// How the integer percentage and its text differ from the x87's own
// division and multiplication; empty when they do not.
std::string X87Difference(std::int64_t hits, std::int64_t total) {
  const long double x87 = static_cast<long double>(hits) / static_cast<long double>(total) * 100.0L;
  const BinaryValue got = ExtendedPercentage(hits, total);
  const BinaryValue want = ExtendedFields(x87);
  const std::string text = PercentageText(hits, total, ',');
  const std::string x87_text = ValueText(x87, ',');
  if (got == want && text == x87_text) return {};
  char difference[160];
  std::snprintf(difference, sizeof difference, "%lld of %lld: %016llx*2^%d %s, the x87 %016llx*2^%d %s",
                static_cast<long long>(hits), static_cast<long long>(total),
                static_cast<unsigned long long>(got.significand), got.exponent, text.c_str(),
                static_cast<unsigned long long>(want.significand), want.exponent, x87_text.c_str());
  return difference;
}

TEST(ExtendedPercentage, IsTheX87sForEveryPairUpTo3000) {
  for (std::int64_t total = 1; total <= 3000; ++total) {
    for (std::int64_t hits = 0; hits <= total; ++hits) ASSERT_EQ(X87Difference(hits, total), "");
  }
}

// Totals of every length up to 63 bits, hits from 0 to the total.
TEST(ExtendedPercentage, IsTheX87sForRandomPairs) {
  std::mt19937_64 random(18);
  for (int i = 0; i < 3000000; ++i) {
    const int bits = 1 + i % 63;
    const std::uint64_t total = random() >> (64 - bits) | std::uint64_t{1} << (bits - 1);
    const std::uint64_t hits = random() % (total + 1);
    ASSERT_EQ(X87Difference(static_cast<std::int64_t>(hits), static_cast<std::int64_t>(total)), "");
  }
}

// 2^k and its neighbours.
std::array<std::int64_t, 3> AroundPowerOfTwo(int k) {
  const std::int64_t power = std::int64_t{1} << k;
  return {power - 1, power, power + 1};
}

// Powers of two and their neighbours as totals, each with hits of 0, the
// total, its neighbours and fractions, and powers of two and neighbours.
TEST(ExtendedPercentage, IsTheX87sAroundPowersOfTwo) {
  std::vector<std::int64_t> totals = {std::numeric_limits<std::int64_t>::max()};
  for (int k = 0; k < 63; ++k) {
    for (const std::int64_t t : AroundPowerOfTwo(k)) {
      if (t > 0) totals.push_back(t);
    }
  }
  for (const std::int64_t total : totals) {
    std::vector<std::int64_t> hits = {0, total, total - 1, total / 2, total / 2 + 1, total / 3, total / 7};
    for (int j = 0; j < 63; ++j) {
      for (const std::int64_t h : AroundPowerOfTwo(j)) {
        if (h <= total) hits.push_back(h);
      }
    }
    for (const std::int64_t h : hits) ASSERT_EQ(X87Difference(h, total), "");
  }
}

TEST(ExtendedPercentage, IsTheX87sForTheExamples) {
  for (const PercentageCase& c : kExamples) EXPECT_EQ(X87Difference(c.hits, c.total), "");
}

}  // namespace
}  // namespace vendral
#endif

namespace vendral {
namespace {

// Every pair of counts up to 300, taken in an order that returns to
// earlier totals and, beyond 256, puts two texts of one total in one place.
TEST(PercentageTexts, WriteWhatAppendPercentageTextWrites) {
  PercentageTexts texts(',');
  std::string kept;
  std::string made;
  for (int round = 0; round < 2; ++round) {
    for (std::int64_t total = 1; total <= 300; ++total) {
      for (std::int64_t hits = round == 0 ? 0 : total; hits >= 0 && hits <= total; hits += round == 0 ? 1 : -1) {
        kept = texts.Text(hits, total);
        made.clear();
        AppendPercentageText(made, hits, total, ',');
        ASSERT_EQ(kept, made) << hits << " of " << total;
      }
    }
  }
}

TEST(PercentageTexts, TellPairsOfOnePlaceApart) {
  struct Pair {
    std::int64_t hits;
    std::int64_t total;
  };
  // Pairs that share the place of their hits, one after the other: the
  // same hits of another total, hits 256 apart, and counts beyond 32 bits.
  const Pair pairs[] = {{5, 7},       {5, 8},     {5, 7},     {261, 300},   {5, 300},
                        {261, 300},   {0, 1},     {256, 512}, {0, 1},       {1, 3},
                        {1, 3000000}, {1, 3},     {4294967297LL, 8589934594LL},
                        {1, 8589934594LL},        {4294967297LL, 8589934594LL}, {1, 4}};
  PercentageTexts texts('.');
  std::string kept;
  std::string made;
  for (const Pair& p : pairs) {
    kept += texts.Text(p.hits, p.total);
    AppendPercentageText(made, p.hits, p.total, '.');
    made += ';';
    kept += ';';
  }
  EXPECT_EQ(kept, made);
}

}  // namespace
}  // namespace vendral
