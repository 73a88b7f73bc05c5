// Number texts: the one place where numbers become text and text numbers.
// Locale-independent; every file, readout and label goes through here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

// Short decimal form: leading blank when not negative, else "-"; up to 15
// significant digits (7 for a float), no zero before the point (" .5"),
// no trailing zeros or point (" 2"), exponent form " 1.5E+16" / " 1E-05"
// when the decimal exponent is >= 15 (>= 7 for a float) or < -4;
// negative zero is " 0". Not-finite values give " 0".
std::string ShortText(double v);
std::string ShortText(float v);
std::string ShortText(int64_t v);
inline std::string ShortText(int32_t v) { return ShortText(static_cast<int64_t>(v)); }
inline std::string ShortText(int16_t v) { return ShortText(static_cast<int64_t>(v)); }

// General form: the short form without its leading blank.
std::string GeneralText(double v);
std::string GeneralText(float v);
std::string GeneralText(int64_t v);
inline std::string GeneralText(int32_t v) { return GeneralText(static_cast<int64_t>(v)); }
inline std::string GeneralText(int16_t v) { return GeneralText(static_cast<int64_t>(v)); }

// Picture patterns such as "###,###,##0.###": '#' a digit if significant,
// '0' a digit always, ',' thousands grouping, '.' the decimal point (always
// shown when the pattern has one, "12."), rounded half away from zero to the pattern's decimals.
// Grouping needs a ',' between digit places left of the point; a ',' right
// of the point is only skipped, and the last '0' there sets the fewest
// decimals shown. The value is taken at 15 significant digits first; other
// characters are ignored; a value that is not finite shows as 0.
std::string FormatPicture(double v, std::string_view pattern);

// Longest numeric prefix after leading blanks (sign, digits with at most one
// point, optional exponent); 0 when there is none. With ignoreInnerBlanks,
// blanks inside the number are skipped. Never throws. The result may be not
// finite (e.g. "1E999"); the Read* helpers below refuse such values.
double ParseNumberPrefix(std::string_view text, bool ignoreInnerBlanks = false);

// Whether the whole text (less outer blanks) is one number; the value in *out.
bool ParseWholeNumber(std::string_view text, double* out);

// Round to the nearest whole number, a half to the even neighbour.
double RoundHalfEven(double v);

// Assigning readers: the target keeps its value when the result is not
// finite or does not fit the target type; they return whether the value was
// taken.
bool AssignNumber(double value, double& target);
bool AssignNumber(double value, float& target);
bool AssignNumber(double value, int16_t& target);  // rounds half to even
bool AssignNumber(double value, int32_t& target);  // rounds half to even

// A number typed into a box times `factor` (a unit), the number read by
// its leading digits as ParseNumberPrefix reads it (no number reads 0).
// False, `out` untouched, when a number is there that the result cannot
// hold: beyond the doubles ("1E400", 10,000 digits) or too small to tell
// from 0 ("1E-400", or 5E-324 kilograms in Earth masses).
bool ReadTypedNumber(std::string_view text, double factor, double& out);

// A size or count typed into a box, read as WholeFromText reads it (held at
// the ends of the 16-bit range); false, `out` untouched, when it is negative
// or beyond the doubles.
bool ReadTypedCount(const std::string& text, int16_t& out);
// The message that refuses what ReadTypedCount refuses, beginning with the
// field's name; empty when the text reads.
std::string TypedCountProblem(std::string_view field, const std::string& text);

// A readout's number whose thousands are grouped with ",": read whole.
double ParseGroupedNumber(std::string text);

// A whole number typed into a box: half to even, and a value beyond the
// 16-bit range is held at its end rather than refused; `old` when the text
// reads as no number at all.
int16_t WholeFromText(const std::string& text, int16_t old);

// The numbers of a pasted state vector: runs of number characters (digits,
// ".", "+", "-", "e", "E") separated by anything else, at most six. A run
// that is missing where the text starts with separators counts as 0.
std::vector<double> SplitStateVector(std::string_view text);

}  // namespace molvane
