// Number texts: short decimal form, general form, picture patterns and the
// reading of numbers from text. No locale, no printf/strtod: std::to_chars and
// std::from_chars plus our own digit handling.
#include "engine/numtext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace molvane {

namespace {

// The value rounded to `digits` significant decimal digits: the digits (no
// sign, trailing zeros kept) and the decimal exponent of the first one.
// `v` must be finite and non-zero.
template <typename F>
void SignificantDigits(F v, int digits, std::string& mantissa, int& exp10) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, digits - 1);
  std::string_view s(buf, static_cast<size_t>(res.ptr - buf));
  size_t e = s.find('e');
  mantissa.clear();
  for (size_t i = 0; i < e; ++i)
    if (s[i] != '.') mantissa.push_back(s[i]);
  exp10 = 0;
  std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exp10);
}

// Short decimal form with `digits` significant digits; exponent form when the
// decimal exponent is >= `digits` or < -4.
template <typename F>
std::string ShortFloating(F v, int digits) {
  if (!std::isfinite(v) || v == 0) return " 0";
  std::string m;
  int e = 0;
  SignificantDigits(v, digits, m, e);
  while (m.size() > 1 && m.back() == '0') m.pop_back();

  std::string out(1, std::signbit(v) ? '-' : ' ');
  if (e >= digits || e < -4) {
    out += m[0];
    if (m.size() > 1) {
      out += '.';
      out.append(m, 1, std::string::npos);
    }
    out += 'E';
    out += e < 0 ? '-' : '+';
    int a = std::abs(e);
    if (a < 10) out += '0';
    out += std::to_string(a);
  } else if (e >= 0) {
    size_t intDigits = static_cast<size_t>(e) + 1;
    if (m.size() <= intDigits) {
      out += m;
      out.append(intDigits - m.size(), '0');
    } else {
      out.append(m, 0, intDigits);
      out += '.';
      out.append(m, intDigits, std::string::npos);
    }
  } else {
    out += '.';
    out.append(static_cast<size_t>(-e - 1), '0');
    out += m;
  }
  return out;
}

std::string DropLeadingBlank(std::string s) {
  if (!s.empty() && s[0] == ' ') s.erase(0, 1);
  return s;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Scans a decimal number (sign, digits with at most one point, optional
// exponent) from text[pos]. Returns the end of the longest prefix that forms a
// number, or npos when there is none; the value in `value` (maybe not finite).
size_t ScanNumber(std::string_view text, size_t pos, bool skipBlanks, double& value, bool* nonZero = nullptr) {
  auto skip = [&](size_t p) {
    if (skipBlanks)
      while (p < text.size() && IsBlank(text[p])) ++p;
    return p;
  };
  size_t p = skip(pos);
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
    negative = text[p] == '-';
    p = skip(p + 1);
  }
  // Significant digits without leading zeros, and how many of them (plus
  // skipped zeros) stand before the point.
  std::string digits;
  int64_t pointPos = 0;  // position of the point relative to digits' start
  bool anyDigit = false, seenPoint = false;
  size_t end = std::string_view::npos;
  while (p < text.size()) {
    char c = text[p];
    if (IsDigit(c)) {
      anyDigit = true;
      if (digits.empty() && c == '0') {
        if (seenPoint) --pointPos;
      } else {
        digits.push_back(c);
        if (!seenPoint) ++pointPos;
      }
      end = p + 1;
      p = skip(p + 1);
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
      if (anyDigit) end = p + 1;
      p = skip(p + 1);
    } else {
      break;
    }
  }
  if (!anyDigit) return std::string_view::npos;

  int64_t exponent = 0;
  if (p < text.size() && (text[p] == 'E' || text[p] == 'e')) {
    size_t q = skip(p + 1);
    bool expNegative = false;
    if (q < text.size() && (text[q] == '+' || text[q] == '-')) {
      expNegative = text[q] == '-';
      q = skip(q + 1);
    }
    if (q < text.size() && IsDigit(text[q])) {
      while (q < text.size() && IsDigit(text[q])) {
        if (exponent < 1000000000) exponent = exponent * 10 + (text[q] - '0');
        end = q + 1;
        q = skip(q + 1);
      }
      if (expNegative) exponent = -exponent;
    }
  }

  if (nonZero) *nonZero = !digits.empty();
  if (digits.empty()) {
    value = 0.0;
    return end;
  }
  // Decimal exponent of the first significant digit.
  int64_t e10 = pointPos - 1 + exponent;
  double magnitude;
  if (e10 > 400) {
    magnitude = std::numeric_limits<double>::infinity();
  } else if (e10 < -400) {
    magnitude = 0.0;
  } else {
    std::string s;
    s.reserve(digits.size() + 16);
    s += digits[0];
    s += '.';
    s.append(digits, 1, std::string::npos);
    s += 'e';
    s += std::to_string(e10);
    magnitude = 0.0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), magnitude);
    if (r.ec == std::errc::result_out_of_range) magnitude = e10 > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  value = negative ? -magnitude : magnitude;
  return end;
}

}  // namespace

std::string ShortText(double v) { return ShortFloating(v, 15); }
std::string ShortText(float v) { return ShortFloating(v, 7); }

std::string ShortText(int64_t v) {
  char buf[32];
  buf[0] = ' ';
  auto res = std::to_chars(buf + 1, buf + sizeof buf, v);
  if (v < 0) return std::string(buf + 1, res.ptr);
  return std::string(buf, res.ptr);
}

std::string GeneralText(double v) { return DropLeadingBlank(ShortText(v)); }
std::string GeneralText(float v) { return DropLeadingBlank(ShortText(v)); }
std::string GeneralText(int64_t v) { return DropLeadingBlank(ShortText(v)); }

std::string FormatPicture(double v, std::string_view pattern) {
  if (!std::isfinite(v)) v = 0.0;

  // Pattern: integer part before the first '.', fraction part after it.
  size_t point = pattern.find('.');
  std::string_view intPat = pattern.substr(0, point);
  std::string_view fracPat = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);

  int minInt = 0;
  bool grouping = false;
  {
    bool seenZero = false, placeholderLeft = false, commaPending = false;
    for (char c : intPat) {
      if (c == '#' || c == '0') {
        if (c == '0') seenZero = true;
        if (seenZero) ++minInt;
        if (commaPending) grouping = true;
        placeholderLeft = true;
      } else if (c == ',' && placeholderLeft) {
        commaPending = true;
      }
    }
  }
  size_t maxDec = 0, minDec = 0;
  for (char c : fracPat) {
    if (c == '#' || c == '0') {
      ++maxDec;
      if (c == '0') minDec = maxDec;
    }
  }

  // Decimal digits of |v| at 15 significant digits, then rounded half away
  // from zero to the pattern's decimals.
  std::string intDigits, fracDigits;
  if (v != 0) {
    std::string m;
    int e = 0;
    SignificantDigits(v, 15, m, e);
    int64_t pointPos = static_cast<int64_t>(e) + 1;
    if (pointPos >= static_cast<int64_t>(m.size())) {
      intDigits = m;
      intDigits.append(static_cast<size_t>(pointPos) - m.size(), '0');
    } else if (pointPos > 0) {
      intDigits = m.substr(0, static_cast<size_t>(pointPos));
      fracDigits = m.substr(static_cast<size_t>(pointPos));
    } else {
      fracDigits.assign(static_cast<size_t>(-pointPos), '0');
      fracDigits += m;
    }
  }
  if (fracDigits.size() > maxDec) {
    bool up = fracDigits[maxDec] >= '5';
    fracDigits.resize(maxDec);
    if (up) {
      std::string all = intDigits + fracDigits;
      size_t i = all.size();
      while (i > 0 && all[i - 1] == '9') all[--i] = '0';
      if (i == 0) {
        all.insert(all.begin(), '1');
        intDigits.insert(intDigits.begin(), '0');  // one more integer digit
      } else {
        ++all[i - 1];
      }
      intDigits = all.substr(0, intDigits.size());
      fracDigits = all.substr(intDigits.size());
    }
  }
  size_t firstNonZero = intDigits.find_first_not_of('0');
  intDigits.erase(0, firstNonZero == std::string::npos ? intDigits.size() : firstNonZero);
  while (fracDigits.size() > minDec && !fracDigits.empty() && fracDigits.back() == '0') fracDigits.pop_back();
  if (fracDigits.size() < minDec) fracDigits.append(minDec - fracDigits.size(), '0');
  if (intDigits.size() < static_cast<size_t>(minInt))
    intDigits.insert(0, static_cast<size_t>(minInt) - intDigits.size(), '0');

  bool isZero =
      intDigits.find_first_not_of('0') == std::string::npos && fracDigits.find_first_not_of('0') == std::string::npos;
  std::string out;
  if (v < 0 && !isZero) out += '-';
  if (grouping) {
    for (size_t i = 0; i < intDigits.size(); ++i) {
      if (i > 0 && (intDigits.size() - i) % 3 == 0) out += ',';
      out += intDigits[i];
    }
  } else {
    out += intDigits;
  }
  if (point != std::string_view::npos) {
    out += '.';
    out += fracDigits;
  }
  return out;
}

double ParseNumberPrefix(std::string_view text, bool ignoreInnerBlanks) {
  size_t p = 0;
  while (p < text.size() && IsBlank(text[p])) ++p;
  double value = 0.0;
  if (ScanNumber(text, p, ignoreInnerBlanks, value) == std::string_view::npos) return 0.0;
  return value;
}

bool ParseWholeNumber(std::string_view text, double* out) {
  size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  if (b == e) return false;
  double value = 0.0;
  if (ScanNumber(text, b, false, value) != e) return false;
  if (!std::isfinite(value)) return false;
  if (out) *out = value;
  return true;
}

double RoundHalfEven(double v) {
  if (!std::isfinite(v)) return v;
  double r = std::round(v);  // halves away from zero
  if (std::fabs(r - v) == 0.5) r = 2.0 * std::round(v / 2.0);
  return r;
}

bool AssignNumber(double value, double& target) {
  if (!std::isfinite(value)) return false;
  target = value;
  return true;
}

bool AssignNumber(double value, float& target) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return false;
  target = static_cast<float>(value);
  return true;
}

bool AssignNumber(double value, int16_t& target) {
  double r = RoundHalfEven(value);
  if (!std::isfinite(r) || r < -32768.0 || r > 32767.0) return false;
  target = static_cast<int16_t>(r);
  return true;
}

bool AssignNumber(double value, int32_t& target) {
  double r = RoundHalfEven(value);
  if (!std::isfinite(r) || r < -2147483648.0 || r > 2147483647.0) return false;
  target = static_cast<int32_t>(r);
  return true;
}

bool ReadTypedNumber(std::string_view text, double factor, double& out) {
  size_t p = 0;
  while (p < text.size() && IsBlank(text[p])) ++p;
  double value = 0.0;
  bool nonZero = false;
  if (ScanNumber(text, p, false, value, &nonZero) == std::string_view::npos) value = 0.0;
  const double product = value * factor;
  // A number that is there but reads as infinite, or as 0, does not fit.
  if (!std::isfinite(product) || (nonZero && (value == 0 || (factor != 0 && product == 0)))) return false;
  out = product;
  return true;
}

bool ReadTypedCount(const std::string& text, int16_t& out) {
  double v = 0;
  if (!ReadTypedNumber(text, 1, v) || RoundHalfEven(v) < 0) return false;
  out = WholeFromText(text, out);
  return true;
}

std::string TypedCountProblem(std::string_view field, const std::string& text) {
  int16_t unused = 0;
  if (ReadTypedCount(text, unused)) return {};
  return std::string(field) + " must be a number from 0 up (more than 32767 is held at 32767).";
}

double ParseGroupedNumber(std::string text) {
  std::erase(text, ',');
  return ParseNumberPrefix(text);
}

int16_t WholeFromText(const std::string& text, int16_t old) {
  const double v = ParseNumberPrefix(text);
  if (std::isnan(v)) return old;
  int16_t out = old;
  AssignNumber(std::clamp(RoundHalfEven(std::clamp(v, -1e6, 1e6)), -32768.0, 32767.0), out);
  return out;
}

namespace {

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'; }

}  // namespace

std::vector<double> SplitStateVector(std::string_view text) {
  std::string s(text);
  s += ' ';
  const size_t n = s.size();
  std::array<double, 7> slot{};
  size_t p = 0;  // the last character (the added blank) is never examined
  int k = 1;
  while (p + 1 < n && k < 7) {
    const size_t start = p;
    while (IsNumberChar(s[p]) && p + 1 < n) ++p;
    if (p > start) {
      const double v = ParseNumberPrefix(std::string_view(s).substr(start, p - start));
      slot[k] = std::isfinite(v) ? v : 0;
    }
    while (!IsNumberChar(s[p]) && p + 1 < n) ++p;
    ++k;
  }
  return std::vector<double>(slot.begin() + 1, slot.begin() + k);
}

}  // namespace molvane
