#include "engine/numtext.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <tuple>

using namespace molvane;

namespace {

// The value's decimal digits rounded to `digits` significant digits.
template <typename F>
std::string Digits(F v, int digits) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1);
  return std::string(buf, r.ptr);
}

}  // namespace

TEST(NumTextShort, DoubleForms) {
  EXPECT_EQ(ShortText(0.0), " 0");
  EXPECT_EQ(ShortText(-0.0), " 0");
  EXPECT_EQ(ShortText(0.5), " .5");
  EXPECT_EQ(ShortText(-0.25), "-.25");
  EXPECT_EQ(ShortText(2.0), " 2");
  EXPECT_EQ(ShortText(1.5), " 1.5");
  EXPECT_EQ(ShortText(-5.0), "-5");
  EXPECT_EQ(ShortText(2005.0), " 2005");
  EXPECT_EQ(ShortText(100.0), " 100");
  EXPECT_EQ(ShortText(12345.678), " 12345.678");
  EXPECT_EQ(ShortText(0.1 + 0.2), " .3");
  EXPECT_EQ(ShortText(1.0 / 3.0), " .333333333333333");
  EXPECT_EQ(ShortText(-2.0 / 3.0), "-.666666666666667");
  EXPECT_EQ(ShortText(1.5e16), " 1.5E+16");
  EXPECT_EQ(ShortText(1e-5), " 1E-05");
  EXPECT_EQ(ShortText(-1.25e-7), "-1.25E-07");
  EXPECT_EQ(ShortText(1e300), " 1E+300");
  EXPECT_EQ(ShortText(1e-300), " 1E-300");
  EXPECT_EQ(ShortText(std::numeric_limits<double>::max()), " 1.79769313486232E+308");
  EXPECT_EQ(ShortText(std::numeric_limits<double>::denorm_min()), " 4.94065645841247E-324");
  EXPECT_EQ(ShortText(std::nan("")), " 0");
  EXPECT_EQ(ShortText(std::numeric_limits<double>::infinity()), " 0");
  EXPECT_EQ(ShortText(-std::numeric_limits<double>::infinity()), " 0");
}

TEST(NumTextShort, DoubleExponentSwitch) {
  EXPECT_EQ(ShortText(1e14), " 100000000000000");
  EXPECT_EQ(ShortText(123456789012345.0), " 123456789012345");
  EXPECT_EQ(ShortText(-123456789012345.0), "-123456789012345");
  EXPECT_EQ(ShortText(1e15), " 1E+15");
  EXPECT_EQ(ShortText(1234567890123456.0), " 1.23456789012346E+15");
  // Rounding to 15 digits decides the exponent.
  EXPECT_EQ(ShortText(999999999999999.4), " 999999999999999");
  EXPECT_EQ(ShortText(999999999999999.9), " 1E+15");
  EXPECT_EQ(ShortText(1e-4), " .0001");
  EXPECT_EQ(ShortText(0.00012345), " .00012345");
  EXPECT_EQ(ShortText(-1e-4), "-.0001");
  EXPECT_EQ(ShortText(9.9999e-5), " 9.9999E-05");
  EXPECT_EQ(ShortText(0.0000999999999999999999), " .0001");
}

TEST(NumTextShort, FloatForms) {
  EXPECT_EQ(ShortText(0.1f), " .1");
  EXPECT_EQ(ShortText(-0.0f), " 0");
  EXPECT_EQ(ShortText(3.14159265f), " 3.141593");
  EXPECT_EQ(ShortText(1234567.0f), " 1234567");
  EXPECT_EQ(ShortText(9999999.0f), " 9999999");
  EXPECT_EQ(ShortText(12345678.0f), " 1.234568E+07");
  EXPECT_EQ(ShortText(16777216.0f), " 1.677722E+07");
  EXPECT_EQ(ShortText(1e-5f), " 1E-05");
  EXPECT_EQ(ShortText(1e-4f), " .0001");
  EXPECT_EQ(ShortText(-2.5f), "-2.5");
  EXPECT_EQ(ShortText(std::numeric_limits<float>::max()), " 3.402823E+38");
  EXPECT_EQ(GeneralText(0.1f), ".1");
}

TEST(NumTextShort, IntegersAndGeneral) {
  EXPECT_EQ(ShortText(int64_t{5}), " 5");
  EXPECT_EQ(ShortText(int64_t{-5}), "-5");
  EXPECT_EQ(ShortText(int64_t{0}), " 0");
  EXPECT_EQ(ShortText(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(ShortText(int16_t{-32768}), "-32768");
  EXPECT_EQ(ShortText(int32_t{2147483647}), " 2147483647");
  EXPECT_EQ(GeneralText(int16_t{7}), "7");
  EXPECT_EQ(GeneralText(-7.5), "-7.5");
  EXPECT_EQ(GeneralText(0.5), ".5");
  EXPECT_EQ(GeneralText(1.5e16), "1.5E+16");
}

TEST(NumTextShort, RandomDoublesRoundTripTo15Digits) {
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> mant(1.0, 10.0);
  std::uniform_int_distribution<int> expo(-320, 307);
  for (int i = 0; i < 200000; ++i) {
    double v = mant(rng) * std::pow(10.0, expo(rng));
    if (!std::isfinite(v) || v == 0) continue;
    if (rng() & 1) v = -v;
    std::string s = ShortText(v);
    double back = ParseNumberPrefix(s);
    ASSERT_EQ(Digits(back, 15), Digits(v, 15)) << s;
    ASSERT_EQ(ShortText(back), s);
  }
  // Values that are 15-digit decimals come back exactly.
  std::uniform_int_distribution<int64_t> m15(100000000000000, 999999999999999);
  std::uniform_int_distribution<int> e(-30, 30);
  for (int i = 0; i < 100000; ++i) {
    std::string dec = std::to_string(m15(rng)) + "e" + std::to_string(e(rng));
    double v = 0;
    std::from_chars(dec.data(), dec.data() + dec.size(), v);
    ASSERT_EQ(ParseNumberPrefix(ShortText(v)), v) << dec;
  }
  // Random bit patterns, including subnormals.
  for (int i = 0; i < 100000; ++i) {
    uint64_t bits = rng();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v) || v == 0) continue;
    std::string s = ShortText(v);
    ASSERT_EQ(Digits(ParseNumberPrefix(s), 15), Digits(v, 15)) << s;
  }
}

TEST(NumTextShort, RandomFloatsRoundTripTo7Digits) {
  std::mt19937 rng(777);
  for (int i = 0; i < 200000; ++i) {
    uint32_t bits = rng();
    float v;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v) || v == 0) continue;
    std::string s = ShortText(v);
    float back = static_cast<float>(ParseNumberPrefix(s));
    ASSERT_EQ(Digits(back, 7), Digits(v, 7)) << s;
    ASSERT_EQ(ShortText(back), s);
  }
}

TEST(NumTextParse, Prefixes) {
  EXPECT_EQ(ParseNumberPrefix(""), 0.0);
  EXPECT_EQ(ParseNumberPrefix("abc"), 0.0);
  EXPECT_EQ(ParseNumberPrefix("-"), 0.0);
  EXPECT_EQ(ParseNumberPrefix("."), 0.0);
  EXPECT_EQ(ParseNumberPrefix("-.x"), 0.0);
  EXPECT_EQ(ParseNumberPrefix("   12.5abc"), 12.5);
  EXPECT_EQ(ParseNumberPrefix(" \t7"), 7.0);
  EXPECT_EQ(ParseNumberPrefix("-.5"), -0.5);
  EXPECT_EQ(ParseNumberPrefix("+3"), 3.0);
  EXPECT_EQ(ParseNumberPrefix("5."), 5.0);
  EXPECT_EQ(ParseNumberPrefix("00012"), 12.0);
  EXPECT_EQ(ParseNumberPrefix("1e3"), 1000.0);
  EXPECT_EQ(ParseNumberPrefix("1E+03x"), 1000.0);
  EXPECT_EQ(ParseNumberPrefix("2.5E-2"), 0.025);
  EXPECT_EQ(ParseNumberPrefix("1E"), 1.0);
  EXPECT_EQ(ParseNumberPrefix("1E+"), 1.0);
  EXPECT_EQ(ParseNumberPrefix("1E-x"), 1.0);
  EXPECT_EQ(ParseNumberPrefix("1.2.3"), 1.2);
  EXPECT_EQ(ParseNumberPrefix("1,5"), 1.0);
  EXPECT_EQ(ParseNumberPrefix("2005     08 30"), 2005.0);
  EXPECT_EQ(ParseNumberPrefix("0.000000000000000000000000000001"), 1e-30);
  EXPECT_EQ(ParseNumberPrefix("123456789012345678901234567890"), 1.2345678901234568e29);
  EXPECT_EQ(ParseNumberPrefix("4.9406564584124654E-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(ParseNumberPrefix("1E-999"), 0.0);
  EXPECT_EQ(ParseNumberPrefix("0E999999999999999999999"), 0.0);
  EXPECT_EQ(ParseNumberPrefix("1E999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumberPrefix("-1E99999999999999999999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumberPrefix(std::string(5000, '0') + "1"), 1.0);
  EXPECT_EQ(ParseNumberPrefix("." + std::string(500, '0') + "1E520"), 1e19);
}

// A typed number times its unit: no number reads 0; one that is there but
// the product cannot hold is refused. Sizes and counts refuse negatives.
TEST(NumTextParse, TypedNumbersFitOrAreRefused) {
  const struct {
    std::string text;
    double factor;
    bool taken;
    double value;
  } rows[] = {{"", 1, true, 0},
              {"abc", 1e300, true, 0},
              {"NaN", 1, true, 0},
              {" 12.5km", 2, true, 25},
              {"5e-324", 1, true, 5e-324},
              {"1e400", 1, false, 0},
              {"-1e400", 1, false, 0},
              {"1e-400", 1, false, 0},
              {"5e-324", 1e-25, false, 0},
              {"1e300", 1e10, false, 0},
              {std::string(2000, '9'), 1, false, 0}};
  for (const auto& r : rows) {
    double out = -7;
    EXPECT_EQ(ReadTypedNumber(r.text, r.factor, out), r.taken) << r.text.substr(0, 10);
    EXPECT_EQ(out, r.taken ? r.value : -7) << r.text.substr(0, 10);
  }
  for (auto [text, taken, value] :
       {std::tuple{"99999", true, 32767}, std::tuple{"2.5", true, 2}, std::tuple{"-0.4", true, 0},
        std::tuple{"-1", false, 5}, std::tuple{"1e999", false, 5}, std::tuple{"x", true, 0}}) {
    int16_t out = 5;
    EXPECT_EQ(ReadTypedCount(text, out), taken) << text;
    EXPECT_EQ(out, value) << text;
    EXPECT_EQ(TypedCountProblem("Count", text).empty(), taken) << text;
  }
}

TEST(NumTextParse, InnerBlanks) {
  EXPECT_EQ(ParseNumberPrefix("1 2", false), 1.0);
  EXPECT_EQ(ParseNumberPrefix("1 2", true), 12.0);
  EXPECT_EQ(ParseNumberPrefix(" - 1 . 5 E 2 x", true), -150.0);
  EXPECT_EQ(ParseNumberPrefix(" - 1", false), 0.0);
  EXPECT_EQ(ParseNumberPrefix("1 E", true), 1.0);
  EXPECT_EQ(ParseNumberPrefix("   ", true), 0.0);
}

TEST(NumTextParse, WholeNumber) {
  double v = 42;
  EXPECT_TRUE(ParseWholeNumber(" 1.5 ", &v));
  EXPECT_EQ(v, 1.5);
  EXPECT_TRUE(ParseWholeNumber("-.5", &v));
  EXPECT_EQ(v, -0.5);
  EXPECT_TRUE(ParseWholeNumber("1E-05", &v));
  EXPECT_EQ(v, 1e-5);
  v = 42;
  for (const char* bad : {"", "   ", "1.5x", "1 5", ".", "-", "1E999", "x1", "1E+"}) {
    EXPECT_FALSE(ParseWholeNumber(bad, &v)) << bad;
    EXPECT_EQ(v, 42.0) << bad;
  }
  EXPECT_TRUE(ParseWholeNumber("7", nullptr));
}

TEST(NumTextRound, HalfEvenAndAssign) {
  EXPECT_EQ(RoundHalfEven(0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(1.5), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
  EXPECT_EQ(RoundHalfEven(2.4999999), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3.0);
  EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497.0);
  EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""))));

  double d = 1;
  EXPECT_FALSE(AssignNumber(std::nan(""), d));
  EXPECT_FALSE(AssignNumber(std::numeric_limits<double>::infinity(), d));
  EXPECT_EQ(d, 1.0);
  EXPECT_TRUE(AssignNumber(-3.25, d));
  EXPECT_EQ(d, -3.25);

  float f = 1;
  EXPECT_FALSE(AssignNumber(1e39, f));
  EXPECT_FALSE(AssignNumber(-1e39, f));
  EXPECT_EQ(f, 1.0f);
  EXPECT_TRUE(AssignNumber(3.4e38, f));
  EXPECT_EQ(f, 3.4e38f);

  int16_t s = 9;
  EXPECT_TRUE(AssignNumber(2.5, s));
  EXPECT_EQ(s, 2);
  EXPECT_TRUE(AssignNumber(32767.4, s));
  EXPECT_EQ(s, 32767);
  EXPECT_FALSE(AssignNumber(32767.5, s));  // rounds to 32768
  EXPECT_TRUE(AssignNumber(-32768.5, s));  // even neighbour stays in range
  EXPECT_EQ(s, -32768);
  EXPECT_FALSE(AssignNumber(-32769.0, s));
  EXPECT_FALSE(AssignNumber(std::nan(""), s));
  EXPECT_EQ(s, -32768);

  int32_t l = 9;
  EXPECT_TRUE(AssignNumber(-3.5, l));
  EXPECT_EQ(l, -4);
  EXPECT_FALSE(AssignNumber(2147483647.5, l));
  EXPECT_FALSE(AssignNumber(1e300, l));
  EXPECT_TRUE(AssignNumber(-2147483648.0, l));
  EXPECT_EQ(l, std::numeric_limits<int32_t>::min());
}

TEST(NumTextPicture, TimeStepPatterns) {
  EXPECT_EQ(FormatPicture(86400.0 / 86400.0, "###.####"), "1.");
  EXPECT_EQ(FormatPicture(31536000.0 / 86400.0, "###.####"), "365.");
  EXPECT_EQ(FormatPicture(0.5, "###.####"), ".5");
  EXPECT_EQ(FormatPicture(43200.0 / 86400.0 / 3.0, "###.####"), ".1667");
  EXPECT_EQ(FormatPicture(63072000.0 / 31536000.0, "#####.##"), "2.");
  EXPECT_EQ(FormatPicture(1.005, "#####.##"), "1.01");  // decimal, not binary, halves
  EXPECT_EQ(FormatPicture(2.675, "#####.##"), "2.68");
  EXPECT_EQ(FormatPicture(0.125, "######.##"), ".13");
  EXPECT_EQ(FormatPicture(0.004, "######.##"), ".");
  EXPECT_EQ(FormatPicture(1234567.0, "######.##"), "1234567.");
  EXPECT_EQ(FormatPicture(0.0, "######.##"), ".");
}

TEST(NumTextPicture, GroupingAndFixedDigits) {
  EXPECT_EQ(FormatPicture(1234567.891, "#,###,###,###,##0.###"), "1,234,567.891");
  EXPECT_EQ(FormatPicture(-1234.5, "###,###,##0.###"), "-1,234.5");
  EXPECT_EQ(FormatPicture(0.0, "###,###,##0.###"), "0.");
  EXPECT_EQ(FormatPicture(0.0004, "###,###,##0.###"), "0.");
  EXPECT_EQ(FormatPicture(-0.0004, "###,###,##0.###"), "0.");
  EXPECT_EQ(FormatPicture(0.0005, "###,###,##0.###"), "0.001");
  EXPECT_EQ(FormatPicture(999.9996, "###,###,##0.###"), "1,000.");
  EXPECT_EQ(FormatPicture(123.0, "###,###,##0.###"), "123.");
  EXPECT_EQ(FormatPicture(123456789012.25, "###,###,###,##0.###"), "123,456,789,012.25");
  EXPECT_EQ(FormatPicture(1e20, "#,##0"), "100,000,000,000,000,000,000");
  EXPECT_EQ(FormatPicture(1234.0, ",###."), "1234.");
  EXPECT_EQ(FormatPicture(-2.5, "0"), "-3");  // no point in the pattern, none shown
  EXPECT_EQ(FormatPicture(std::nan(""), "#,##0.##"), "0.");
  EXPECT_EQ(FormatPicture(5.0, ""), "5");
  EXPECT_EQ(FormatPicture(7.0, "000.00"), "007.00");
}

TEST(NumTextPicture, EccentricityAndInclinationPatterns) {
  EXPECT_EQ(FormatPicture(0.0167, ".###############"), ".0167");
  EXPECT_EQ(FormatPicture(0.0, ".###############"), ".");
  EXPECT_EQ(FormatPicture(0.1234567890123456, ".###############"), ".123456789012346");
  EXPECT_EQ(FormatPicture(1.5, ".###############"), "1.5");
  // Commas after the point only count as digit places; the '0' among them
  // keeps eight decimals at least.
  EXPECT_EQ(FormatPicture(45.123456789, "###.##,###,##0,###"), "45.123456789");
  EXPECT_EQ(FormatPicture(0.0, "###.##,###,##0,###"), ".00000000");
  EXPECT_EQ(FormatPicture(90.0, "###.##,###,##0,###"), "90.00000000");
  EXPECT_EQ(FormatPicture(1.0 / 3.0, "###.##,###,##0,###"), ".33333333333");
  EXPECT_EQ(FormatPicture(179.99999999999, "###.##,###,##0,###"), "179.99999999999");
}
