#include "engine/calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

using namespace molvane;

namespace {

// Independent reference: days from 1 January of year 0 in the proleptic
// Gregorian calendar (era-based civil calendar arithmetic, March-first years).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe + 60;  // 1 March of year 0 is day 60
}

void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
  z -= 60;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2);
}

std::string Two(int64_t v) { return std::string{char('0' + v / 10), char('0' + v % 10)}; }

std::string ExpectedText(int64_t y, int m, int d, int64_t h, int64_t mi, int64_t s) {
  std::string t = Two(m) + " " + Two(d) + (y < 0 ? "-" + std::to_string(-y) : " " + std::to_string(y));
  while (t.size() < 15) t += ' ';
  return t + Two(h) + " " + Two(mi) + " " + Two(s);
}

// The text a time should give: whole seconds from floor(t + 0.0005).
std::string Expected(double t) {
  const int64_t whole = static_cast<int64_t>(std::floor(t + 0.0005));
  int64_t days = whole / 86400, sod = whole % 86400;
  if (sod < 0) {
    sod += 86400;
    --days;
  }
  int64_t y;
  int m, d;
  CivilFromDays(days, y, m, d);
  return ExpectedText(y, m, d, sod / 3600, sod % 3600 / 60, sod % 60);
}

double Seconds(int64_t y, int m, int d, int h = 0, int mi = 0, int s = 0) {
  return static_cast<double>(DaysFromCivil(y, m, d) * 86400 + h * 3600 + mi * 60 + s);
}

}  // namespace

TEST(CalendarFormat, ExamplesAndLayout) {
  EXPECT_EQ(FormatDateTimeText(0), "01 01 0        00 00 00");
  EXPECT_EQ(FormatDateTimeText(-1), "12 31-1        23 59 59");
  EXPECT_EQ(FormatDateTimeText(5097600), "02 29 0        00 00 00");
  EXPECT_EQ(FormatDateTimeText(425.0 * 86400), "03 01 1        00 00 00");
  const double may2005 = Seconds(2005, 5, 12, 8, 30, 15);
  EXPECT_EQ(FormatDateTimeText(may2005), "05 12 2005     08 30 15");
  EXPECT_EQ(ComposeDateTimeText(2005, 5, 12, 8, 30, 15), "05 12 2005     08 30 15");
  EXPECT_EQ(ComposeDateTimeText(-5, 5, 12, 8, 30, 15), "05 12-5        08 30 15");
  EXPECT_EQ(FormatDateTimeText(Seconds(-5, 5, 12, 8, 30, 15)), "05 12-5        08 30 15");
  // Years of ten digits push the time past column 16.
  EXPECT_EQ(ComposeDateTimeText(1234567890, 1, 2, 3, 4, 5), "01 02 123456789003 04 05");
  // Two-digit forms of unchecked values.
  EXPECT_EQ(ComposeDateTimeText(7, 123, 7.5, -3, 0, 99), "23 05 7        03 00 99");
}

TEST(CalendarFormat, SubSecondRule) {
  const double base = Seconds(2005, 5, 12, 8, 30, 15);
  EXPECT_EQ(FormatDateTimeText(base + 0.7), "05 12 2005     08 30 15");
  EXPECT_EQ(FormatDateTimeText(base + 0.9996), "05 12 2005     08 30 16");
  EXPECT_EQ(FormatDateTimeText(base - 0.0004), "05 12 2005     08 30 15");
  EXPECT_EQ(FormatDateTimeText(base - 0.001), "05 12 2005     08 30 14");
  // Year end: half a millisecond before midnight is the new year.
  const double y2006 = Seconds(2006, 1, 1);
  EXPECT_EQ(FormatDateTimeText(y2006 - 0.0004), "01 01 2006     00 00 00");
  EXPECT_EQ(FormatDateTimeText(y2006 - 0.001), "12 31 2005     23 59 59");
  // A month end shows the next month's first day, never day 32.
  const double feb0 = Seconds(0, 2, 1);
  EXPECT_EQ(FormatDateTimeText(feb0 - 0.0001), "02 01 0        00 00 00");
  EXPECT_EQ(FormatDateTimeText(Seconds(2, 2, 1)), "02 01 2        00 00 00");
  EXPECT_EQ(FormatDateTimeText(Seconds(2100, 3, 1)), "03 01 2100     00 00 00");
}

TEST(CalendarFormat, LeapCenturies) {
  EXPECT_EQ(FormatDateTimeText(Seconds(2000, 2, 28) + 86400), "02 29 2000     00 00 00");
  EXPECT_EQ(FormatDateTimeText(Seconds(1900, 2, 28) + 86400), "03 01 1900     00 00 00");
  EXPECT_EQ(FormatDateTimeText(Seconds(2100, 2, 28) + 86400), "03 01 2100     00 00 00");
  EXPECT_EQ(FormatDateTimeText(Seconds(2000, 12, 31, 23, 59, 59)), "12 31 2000     23 59 59");
  EXPECT_EQ(Seconds(2001, 1, 1) - Seconds(2000, 1, 1), 366.0 * 86400);
  EXPECT_EQ(Seconds(1901, 1, 1) - Seconds(1900, 1, 1), 365.0 * 86400);
  EXPECT_EQ(ParseDateTimeText("03 01 2100     00 00 00") - ParseDateTimeText("02 28 2100     00 00 00"), 86400.0);
  EXPECT_EQ(ParseDateTimeText("03 01 1900     00 00 00") - ParseDateTimeText("02 28 1900     00 00 00"), 86400.0);
  EXPECT_EQ(ParseDateTimeText("03 01 2000     00 00 00") - ParseDateTimeText("02 28 2000     00 00 00"), 2 * 86400.0);
  for (const char* text : {"02 29 2000     00 00 00", "01 01 2005     00 00 00"}) {
    double t = ParseDateTimeText(text);
    EXPECT_EQ(FormatDateTimeText(t), text);
  }
  EXPECT_EQ(ParseDateTimeText("02 29 2000     00 00 00"), Seconds(2000, 2, 29));
}

TEST(CalendarFormat, MatchesReferenceOverRandomTimes) {
  std::mt19937_64 rng(2026);
  // About years -30000 to +30000, whole and fractional seconds.
  std::uniform_real_distribution<double> any(-9.5e11, 9.5e11);
  for (int i = 0; i < 300000; ++i) {
    double t = any(rng);
    if (i % 2) t = std::floor(t);
    ASSERT_EQ(FormatDateTimeText(t), Expected(t)) << t;
  }
  // Every month start, and the instants around it.
  std::uniform_int_distribution<int64_t> year(-3000, 3000);
  for (int i = 0; i < 20000; ++i) {
    const int64_t y = year(rng);
    const int m = static_cast<int>(rng() % 12) + 1;
    const double t = Seconds(y, m, 1);
    ASSERT_EQ(FormatDateTimeText(t), ExpectedText(y, m, 1, 0, 0, 0));
    ASSERT_EQ(FormatDateTimeText(t - 0.0004), ExpectedText(y, m, 1, 0, 0, 0));
    ASSERT_EQ(FormatDateTimeText(t - 1), Expected(t - 1));
  }
  // Far years.
  for (int i = 0; i < 20000; ++i) {
    double t = std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 10)) * ((rng() & 1) ? 1 : -1);
    ASSERT_EQ(FormatDateTimeText(t), Expected(t)) << t;
  }
}

TEST(CalendarFormat, ExtremeValuesAreClamped) {
  EXPECT_EQ(FormatDateTimeText(std::nan("")), FormatDateTimeText(0));
  EXPECT_EQ(FormatDateTimeText(1e300), FormatDateTimeText(9e18));
  EXPECT_EQ(FormatDateTimeText(std::numeric_limits<double>::infinity()), Expected(9e18));
  EXPECT_EQ(FormatDateTimeText(-std::numeric_limits<double>::infinity()), Expected(-9e18));
  EXPECT_EQ(FormatDateTimeText(-1e300), FormatDateTimeText(-9e18));
  EXPECT_TRUE(std::isfinite(ParseDateTimeText("01 01 9E+99    00 00 00")));
  EXPECT_TRUE(std::isfinite(ParseDateTimeText("01 01 1E999    00 00 00")));
  EXPECT_TRUE(std::isfinite(ParseDateTimeText("01 01-1E999    00 00 00")));
}

TEST(CalendarParse, RoundTripsFromYearZero) {
  std::mt19937_64 rng(99);
  std::uniform_int_distribution<int64_t> secs(0, 315569520000LL * 32);  // to about year 320000
  for (int i = 0; i < 200000; ++i) {
    const double t = static_cast<double>(secs(rng));
    ASSERT_EQ(ParseDateTimeText(FormatDateTimeText(t)), t) << FormatDateTimeText(t);
  }
  std::uniform_int_distribution<int64_t> year(0, 99999999);
  for (int i = 0; i < 100000; ++i) {
    const int64_t y = (i % 2) ? year(rng) % 10000 : year(rng);
    const int m = static_cast<int>(rng() % 12) + 1;
    int64_t ny;
    int nm, last;
    CivilFromDays(DaysFromCivil(y, m, 1) + 40, ny, nm, last);
    const int64_t days = DaysFromCivil(ny, nm, 1) - DaysFromCivil(y, m, 1);
    const int d = static_cast<int>(rng() % days) + 1;
    const int h = static_cast<int>(rng() % 24), mi = static_cast<int>(rng() % 60), s = static_cast<int>(rng() % 60);
    const std::string text = ComposeDateTimeText(static_cast<double>(y), m, d, h, mi, static_cast<int16_t>(s));
    ASSERT_EQ(text, ExpectedText(y, m, d, h, mi, s));
    ASSERT_EQ(ParseDateTimeText(text), Seconds(y, m, d, h, mi, s)) << text;
  }
}

TEST(CalendarParse, NegativeYearsReadTheirSign) {
  EXPECT_EQ(ParseDateTimeText("12 31-1        23 59 59"), -1.0);
  EXPECT_EQ(ParseDateTimeText("05 12-5        08 30 15"), Seconds(-5, 5, 12, 8, 30, 15));
  std::mt19937_64 rng(5);
  std::uniform_int_distribution<int64_t> secs(-315569520000LL * 32, -1);
  for (int i = 0; i < 100000; ++i) {
    const double t = static_cast<double>(secs(rng));
    ASSERT_EQ(ParseDateTimeText(FormatDateTimeText(t)), t) << FormatDateTimeText(t);
  }
}

TEST(CalendarParse, UncheckedFieldsAndShortTexts) {
  // Month 0 counts as January; day 0 is the last day of the month before.
  EXPECT_EQ(ParseDateTimeText("00 01 2005     00 00 00"), Seconds(2005, 1, 1));
  EXPECT_EQ(ParseDateTimeText("03 00 2005     00 00 00"), Seconds(2005, 2, 28));
  EXPECT_EQ(ParseDateTimeText("03 00 2004     00 00 00"), Seconds(2004, 2, 29));
  // A blank column 6 with digits after it reads as before.
  EXPECT_EQ(ParseDateTimeText("05 12 5        08 30 15"), Seconds(5, 5, 12, 8, 30, 15));
  // Short or broken texts read missing fields as 0, never past the end.
  EXPECT_EQ(ParseDateTimeText(""), -86400.0);  // day 0 of January, year 0
  EXPECT_EQ(ParseDateTimeText("0"), -86400.0);
  EXPECT_EQ(ParseDateTimeText("05"), Seconds(0, 5, 1) - 86400 + 5);
  EXPECT_EQ(ParseDateTimeText("05 12 2005"), Seconds(2005, 5, 12) + 5);
  EXPECT_EQ(ParseDateTimeText("xx yy zzzz     aa bb cc"), -86400.0);
  std::mt19937 rng(1);
  for (int i = 0; i < 20000; ++i) {
    std::string s(rng() % 40, ' ');
    for (char& c : s) c = "0123456789 -+.Ee\0x\xff"[rng() % 18];
    EXPECT_TRUE(std::isfinite(ParseDateTimeText(s))) << s;
    (void)MakeFileDateText(s);
  }
}

TEST(CalendarFileDate, ReordersYearFirst) {
  EXPECT_EQ(MakeFileDateText("05 12 2005     08 30 15"), " 2005 05 12   08 30 15");
  EXPECT_EQ(MakeFileDateText("05 12-5        08 30 15"), "-5 05 12      08 30 15");
  EXPECT_EQ(MakeFileDateText(FormatDateTimeText(0)), " 0 01 01      00 00 00");
  EXPECT_EQ(MakeFileDateText(ComposeDateTimeText(1234567890, 1, 2, 3, 4, 5)), " 123456789003 01 024 05");
  // No blank after the year: the scan stops at the end of the text.
  EXPECT_EQ(MakeFileDateText("05 12 2005"), " 200505 12");
  EXPECT_EQ(MakeFileDateText("05 12 2005x"), " 2005x05 12");
  EXPECT_EQ(MakeFileDateText("05 1"), "05 1");
  EXPECT_EQ(MakeFileDateText(""), "");
}
