// Calendar texts of the simulation clock (proleptic Gregorian, year 0 leap).
// Dates are worked out from whole seconds with exact integer remainders, so a
// midnight that starts a month always shows as day 1 of that month.
#include "engine/calendar.h"

#include <cmath>

#include "engine/numtext.h"

namespace molvane {

namespace {

constexpr int64_t kDay = 86400;
constexpr int64_t kCycleSeconds = 12622780800;  // 400 years = 146097 days
constexpr int64_t kCycleDays = 146097;
constexpr int64_t kFirstCenturyDays = 36525;  // the century year itself is leap
constexpr int64_t kCenturyDays = 36524;
constexpr int64_t kBlockDays = 1461;  // four years, one of them leap

// First day of each month in a common year (index 0 = January), and 365.
constexpr int kMonthStart[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

// The largest clock value taken; its year still has a twelve-digit text.
constexpr double kClockLimit = 9.0e18;
// The largest year magnitude read back; its seconds fit 64 bits.
constexpr double kYearLimit = 1.0e11;

void FloorDivide(int64_t a, int64_t b, int64_t& q, int64_t& r) {
  q = a / b;
  r = a % b;
  if (r < 0) {
    r += b;
    --q;
  }
}

// "07" for 7, "12" for 12, "23" for 123: built from the number text.
std::string TwoDigits(const std::string& numberText, bool below10) {
  if (below10) return std::string("0") + numberText.back();
  return numberText.size() >= 2 ? numberText.substr(numberText.size() - 2) : numberText;
}

std::string TwoDigits(double v) { return TwoDigits(ShortText(v), v < 10); }
std::string TwoDigits(int64_t v) { return TwoDigits(ShortText(v), v < 10); }

std::string Assemble(const std::string& month, const std::string& day, const std::string& yearText,
                     const std::string& hour, const std::string& minute, const std::string& second) {
  std::string s = month + ' ' + day + yearText;
  if (s.size() < 15) s.append(15 - s.size(), ' ');
  s += hour;
  s += ' ';
  s += minute;
  s += ' ';
  s += second;
  return s;
}

// Columns `first`..`first + count - 1` (1-based), clipped to the text.
std::string_view Columns(std::string_view text, size_t first, size_t count) {
  if (first > text.size()) return {};
  return text.substr(first - 1, count);
}

}  // namespace

std::string FormatDateTimeText(double t) {
  if (std::isnan(t)) t = 0.0;
  if (t > kClockLimit) t = kClockLimit;
  if (t < -kClockLimit) t = -kClockLimit;
  const int64_t whole = static_cast<int64_t>(std::floor(t + 0.0005));

  int64_t cycle, inCycle;
  FloorDivide(whole, kCycleSeconds, cycle, inCycle);
  int64_t days = inCycle / kDay;
  int64_t secondOfDay = inCycle % kDay;

  // Century within the cycle; only the first begins with a leap year.
  int64_t century, dayInCentury;
  if (days < kFirstCenturyDays) {
    century = 0;
    dayInCentury = days;
  } else {
    century = 1 + (days - kFirstCenturyDays) / kCenturyDays;
    dayInCentury = (days - kFirstCenturyDays) % kCenturyDays;
  }
  // Four-year block; in the later centuries the first block has no leap day.
  int64_t block, dayInBlock;
  bool blockStartsLeap;
  if (century == 0) {
    block = dayInCentury / kBlockDays;
    dayInBlock = dayInCentury % kBlockDays;
    blockStartsLeap = true;
  } else if (dayInCentury < kBlockDays - 1) {
    block = 0;
    dayInBlock = dayInCentury;
    blockStartsLeap = false;
  } else {
    block = 1 + (dayInCentury - (kBlockDays - 1)) / kBlockDays;
    dayInBlock = (dayInCentury - (kBlockDays - 1)) % kBlockDays;
    blockStartsLeap = true;
  }
  int64_t yearInBlock, dayOfYear;
  bool leap = false;
  if (!blockStartsLeap) {
    yearInBlock = dayInBlock / 365;
    dayOfYear = dayInBlock % 365;
  } else if (dayInBlock < 366) {
    yearInBlock = 0;
    dayOfYear = dayInBlock;
    leap = true;
  } else {
    yearInBlock = 1 + (dayInBlock - 366) / 365;
    dayOfYear = (dayInBlock - 366) % 365;
  }
  const int64_t year = 400 * cycle + 100 * century + 4 * block + yearInBlock;

  int month = 1;
  while (month < 12) {
    int64_t nextStart = kMonthStart[month] + (leap && month >= 2 ? 1 : 0);
    if (dayOfYear < nextStart) break;
    ++month;
  }
  const int64_t monthStart = kMonthStart[month - 1] + (leap && month >= 3 ? 1 : 0);
  const int64_t day = dayOfYear - monthStart + 1;

  return Assemble(TwoDigits(static_cast<int64_t>(month)), TwoDigits(day), ShortText(year),
                  TwoDigits(secondOfDay / 3600), TwoDigits(secondOfDay % 3600 / 60), TwoDigits(secondOfDay % 60));
}

std::string ComposeDateTimeText(double year, double month, double day, double hour, double minute, int16_t second) {
  return Assemble(TwoDigits(month), TwoDigits(day), ShortText(year), TwoDigits(hour), TwoDigits(minute),
                  TwoDigits(static_cast<int64_t>(second)));
}

double ParseDateTimeText(std::string_view text) {
  const double month = ParseNumberPrefix(Columns(text, 1, 2));
  const double day = ParseNumberPrefix(Columns(text, 4, 2));
  // The year's digits stand in columns 7-15; a negative year's sign is in
  // column 6, directly before them.
  const bool negativeYear = text.size() >= 6 && text[5] == '-';
  double year = negativeYear ? ParseNumberPrefix(Columns(text, 6, 10)) : ParseNumberPrefix(Columns(text, 7, 9));
  const double hour = ParseNumberPrefix(Columns(text, 16, 2));
  const double minute = ParseNumberPrefix(Columns(text, 19, 2));
  const double second = ParseNumberPrefix(text.size() >= 2 ? text.substr(text.size() - 2) : text);

  // Whole year (a value within 0.0005 below a whole year counts as it).
  year = std::isnan(year) ? 0.0 : std::floor(year + 0.0005);
  if (year > kYearLimit) year = kYearLimit;
  if (year < -kYearLimit) year = -kYearLimit;
  int64_t cycle, yearInCycle;
  FloorDivide(static_cast<int64_t>(year), 400, cycle, yearInCycle);
  const int64_t century = yearInCycle / 100;
  const int64_t yearInCentury = yearInCycle % 100;

  // Start of the year, less one day: the day of the month counts from 1.
  int64_t days = cycle * kCycleDays;
  if (century > 0) days += kFirstCenturyDays + (century - 1) * kCenturyDays;
  days += yearInCentury * 365 + yearInCentury / 4;
  bool leap = yearInCentury % 4 == 0;
  if (century != 0) {
    days -= 1;
    if (yearInCentury == 0) leap = false;
  }
  if (leap) days -= 1;

  double t = static_cast<double>(days * kDay);
  for (int m = 2; m <= 12; ++m)
    if (month == m) t += static_cast<double>(kMonthStart[m - 1] * kDay);
  if (leap && month > 2) t += 86400.0;
  t = t + day * 86400.0 + hour * 3600.0 + minute * 60.0 + second;
  return t;
}

std::string MakeFileDateText(std::string_view text) {
  // The year's characters run from column 7 to the first blank after them.
  size_t p = 7, n = 0;
  while (p <= text.size() && text[p - 1] != ' ') {
    ++p;
    ++n;
  }
  std::string out(Columns(text, 6, n + 2));
  out += Columns(text, 1, 5);
  if (text.size() > p + 1) out += text.substr(p + 1);
  return out;
}

namespace {

// A field's value within the range its list offers: a whole number, or for
// the second one that rounds to a whole number (half to even).
bool InRange(double v, int from, int to, bool rounds) {
  if (rounds) v = RoundHalfEven(v);
  return std::isfinite(v) && v == std::floor(v) && v >= from && v <= to;
}

}  // namespace

std::string SetTimeFieldFault(const std::string& month, const std::string& day, const std::string& hour,
                              const std::string& minute, const std::string& second) {
  struct Field {
    const std::string& text;
    const char* name;
    int from, to;
    bool rounds;
  };
  const Field fields[] = {{month, "month", 1, 12, false},
                          {day, "day", 1, 31, false},
                          {hour, "hour", 0, 23, false},
                          {minute, "minute", 0, 59, false},
                          {second, "second", 0, 59, true}};
  for (const Field& f : fields) {
    if (InRange(ParseNumberPrefix(f.text), f.from, f.to, f.rounds)) continue;
    return std::string("The ") + f.name + " must be a whole number from " + std::to_string(f.from) + " to " +
           std::to_string(f.to) + ".";
  }
  return {};
}

std::string YearRangeMessage() {
  const std::string last = std::to_string(static_cast<int64_t>(LastExactYear));
  return "Year must be a whole number from -" + last + " to " + last + ".";
}

std::string SetTimeYearFault(const std::string& year) {
  const double y = ParseNumberPrefix(year);
  return std::fabs(y) <= LastExactYear ? std::string() : YearRangeMessage();
}

bool SetTimeClockValue(const std::string& year, const std::string& month, const std::string& day,
                       const std::string& hour, const std::string& minute, const std::string& second, double& out) {
  int16_t sec = 0;
  AssignNumber(ParseNumberPrefix(second), sec);
  const double y = ParseNumberPrefix(year);
  const double mo = ParseNumberPrefix(month);
  const double d = ParseNumberPrefix(day);
  const double h = ParseNumberPrefix(hour);
  const double mi = ParseNumberPrefix(minute);
  for (double v : {y, mo, d, h, mi}) {
    if (!std::isfinite(v)) return false;
  }
  const double t = ParseDateTimeText(ComposeDateTimeText(y, mo, d, h, mi, sec));
  if (!std::isfinite(t)) return false;
  out = t;
  return true;
}

}  // namespace molvane
