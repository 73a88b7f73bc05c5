// Calendar texts of the simulation clock. The clock counts seconds from
// 00:00:00 on 1 January of year 0 of the proleptic Gregorian calendar (year 0
// is a leap year; years before it are negative).
//
// DateTimeText columns (from 1): 1-2 month, 3 blank, 4-5 day, 6 onward the
// year's number text (blank or '-' in column 6), blanks up to 15 characters,
// then hour, blank, minute, blank, second (two digits each).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace molvane {

// Seconds to DateTimeText. Whole seconds are taken as floor(t + 0.0005): a
// value within half a millisecond below a whole second counts as that second,
// anything else is truncated. NaN counts as 0; |t| is limited to 9e18 s.
std::string FormatDateTimeText(double t);

// DateTimeText from calendar fields, unchecked (two-digit forms of whatever
// is given).
std::string ComposeDateTimeText(double year, double month, double day, double hour, double minute, int16_t second);

// DateTimeText to seconds. Fields are read by column; a '-' in column 6 makes
// the year negative (a blank there, as every non-negative year has, is not
// read). Short or malformed texts read their missing fields as 0.
double ParseDateTimeText(std::string_view text);

// The fields of the Set Time dialog. Why OK cannot take them: the message naming the first of month,
// day, hour, minute and second that lies outside its list's range (or is
// not a whole number), empty when all lie within.
std::string SetTimeFieldFault(const std::string& month, const std::string& day, const std::string& hour,
                              const std::string& minute, const std::string& second);

// The clock holds whole seconds exactly up to 2^53 s, a little over 285
// million years either side of year 0: past that a time reads back as
// another second, or another day.
inline constexpr double LastExactYear = 285000000;
// The message that refuses a year beyond them.
std::string YearRangeMessage();
// Set Time's year, read by its leading number: the message when it lies
// beyond the years the clock can count, empty when it can.
std::string SetTimeYearFault(const std::string& year);

// The clock value for the texts of the fields, unchecked as the calendar
// arithmetic takes them; false (clock unchanged) when it is not finite.
bool SetTimeClockValue(const std::string& year, const std::string& month, const std::string& day,
                       const std::string& hour, const std::string& minute, const std::string& second, double& out);

// DateTimeText reordered year first, for file names: " 2005 05 12   08 30 15".
std::string MakeFileDateText(std::string_view dateTimeText);

}  // namespace molvane
