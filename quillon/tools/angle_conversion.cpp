#include "angle_conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "almacor/angles.h"
#include "almacor/format.h"
#include "almacor/math_object.h"
#include "program_strings.h"

namespace quillon::convert {
namespace {

// 40π with the library's π.
constexpr double kRadianLimit = 125.6637061435916;

constexpr std::array<FieldRule, kFieldCount> kRules = {{
    {true, true, -7200, 7200},                 // 0 degrees
    {true, true, -432000, 432000},             // 1 arcminutes
    {true, true, -25920000, 25920000},         // 2 arcseconds
    {true, false, -7200, 7200},                // 3 degrees of d-m-s
    {false, false, 0, 60},                     // 4 minutes of d-m-s
    {false, true, 0, 60},                      // 5 seconds of d-m-s
    {false, true, 0, 24},                      // 6 hours
    {false, false, 0, 24},                     // 7 hours of h-m-s
    {false, false, 0, 60},                     // 8 minutes of h-m-s
    {false, true, 0, 60},                      // 9 seconds of h-m-s
    {true, true, -kRadianLimit, kRadianLimit}  // 10 radians
}};

constexpr std::array<int, kFieldCount> kRowOfField = {0, 1, 2, 3, 3, 3, 4, 5, 5, 5, 6};
constexpr std::array<int, kRowCount> kFirstField = {0, 1, 2, 3, 6, 7, 10};

constexpr double kArcsecondsPerTurn = 1296000;
constexpr double kSecondsPerDay = 86400;

bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The fields hold at most the range's digits, so a whole-number field's value fits 16 bits once
// it is in range.
std::int16_t WholeNumber(std::string_view text) {
  return static_cast<std::int16_t>(std::lround(FieldNumber(text)));
}

// Splits a non-negative amount of seconds (of arc or of time) into whole units of 3600 and 60
// and the remaining seconds. The amount is first taken to the microsecond the seconds field
// shows, so that 59.9999999 s carries into the next minute instead of showing as "60.0".
struct Split {
  double whole;
  double minutes;
  double seconds;
};
Split SplitSeconds(double amount) {
  const double rounded = std::round(amount * 1e6) / 1e6;
  const double minutes = std::trunc(rounded / 60);
  return {std::trunc(rounded / 3600), std::fmod(minutes, 60),
          std::max(0.0, rounded - 60 * minutes)};
}

std::string Whole(double value) { return almacor::FormatNumber(value, "0"); }

}  // namespace

const FieldRule& Rule(int field) { return kRules.at(static_cast<std::size_t>(field)); }

int RowOfField(int field) { return kRowOfField.at(static_cast<std::size_t>(field)); }

int FirstFieldOfRow(int row) { return kFirstField.at(static_cast<std::size_t>(row)); }

int FieldCountOfRow(int row) { return row == 3 || row == 5 ? 3 : 1; }

bool AcceptsCharacter(int field, char ch, std::string_view text, int selectionStart,
                      int selectionLength) {
  if (IsDigit(ch)) return true;
  const FieldRule& rule = Rule(field);
  const std::size_t start = static_cast<std::size_t>(std::max(0, selectionStart));
  const std::size_t end = std::min(text.size(), start + static_cast<std::size_t>(selectionLength));
  const std::string_view before = text.substr(0, std::min(start, text.size()));
  const std::string_view after = text.substr(end);
  if (IsSign(ch)) {
    return rule.sign && before.empty() && (after.empty() || !IsSign(after.front()));
  }
  if (ch == '.') {
    return rule.decimal && before.find('.') == std::string_view::npos &&
           after.find('.') == std::string_view::npos;
  }
  return false;
}

bool IsAcceptableText(int field, std::string_view text) {
  const FieldRule& rule = Rule(field);
  bool point = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) continue;
    if (IsSign(c) && rule.sign && i == 0) continue;
    if (c == '.' && rule.decimal && !point) {
      point = true;
      continue;
    }
    return false;
  }
  return true;
}

double FieldNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && IsSign(text[i])) ++i;
  int digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  }
  if (i != text.size() || digits == 0) return 0;
  // from_chars reads without the locale's decimal separator; it takes "-" but not "+".
  const std::string_view number = text.front() == '+' ? text.substr(1) : text;
  double value = 0;
  std::from_chars(number.data(), number.data() + number.size(), value);
  return value;
}

bool InRange(int field, std::string_view text) {
  const double value = FieldNumber(text);
  const FieldRule& rule = Rule(field);
  return value >= rule.minimum && value <= rule.maximum;
}

bool RowReady(int row, const Fields& fields) {
  const int first = FirstFieldOfRow(row);
  for (int f = first; f < first + FieldCountOfRow(row); ++f) {
    if (fields[static_cast<std::size_t>(f)].empty()) return false;
  }
  return true;
}

std::optional<double> RowArcseconds(int row, const Fields& fields,
                                    const almacor::MathObject& math) {
  const int first = FirstFieldOfRow(row);
  for (int f = first; f < first + FieldCountOfRow(row); ++f) {
    if (!InRange(f, fields[static_cast<std::size_t>(f)])) return std::nullopt;
  }
  const auto value = [&](int f) { return FieldNumber(fields[static_cast<std::size_t>(f)]); };
  switch (row) {
    case 0:
      return value(0) * 3600;
    case 1:
      return value(1) * 60;
    case 2:
      return value(2);
    case 3: {
      std::int16_t d = static_cast<std::int16_t>(std::abs(WholeNumber(fields[3])));
      std::int16_t m = WholeNumber(fields[4]);
      double s = value(5);
      // "-0" degrees still makes the angle negative: the sign goes to the first non-zero part.
      if (!fields[3].empty() && fields[3].front() == '-') {
        if (d != 0) {
          d = static_cast<std::int16_t>(-d);
        } else if (m != 0) {
          m = static_cast<std::int16_t>(-m);
        } else {
          s = -s;
        }
      }
      return math.DmsDegree(d, m, s) * 3600;
    }
    case 4:
      return value(6) * 54000;
    case 5:
      return math.HourAngleDegree(WholeNumber(fields[7]), WholeNumber(fields[8]), value(9)) * 3600;
    case 6:
      return value(10) / almacor::kRad * 3600;
    default:
      return std::nullopt;
  }
}

Fields FieldsFromArcseconds(double a) {
  const std::string p1(ProgramString(ids::kDecimalAnglePattern));
  const std::string p2(ProgramString(ids::kSecondsPattern));
  Fields f;
  f[0] = almacor::FormatNumber(a / 3600, p1);
  f[1] = almacor::FormatNumber(a / 60, p1);
  f[2] = almacor::FormatNumber(a, p1);

  const Split dms = SplitSeconds(std::abs(a));
  f[3] = Whole(dms.whole);
  if (a < 0) f[3].insert(f[3].begin(), '-');
  f[4] = Whole(dms.minutes);
  f[5] = almacor::FormatNumber(dms.seconds, p2);

  // Reduce in arcseconds, where the turn is exact, then take 15″ of arc to a second of time.
  double reduced = a - kArcsecondsPerTurn * std::floor(a / kArcsecondsPerTurn);
  if (reduced >= kArcsecondsPerTurn) reduced = 0;
  const double t = reduced / 15;
  f[6] = almacor::FormatNumber(t / 3600, p1);
  Split hms = SplitSeconds(t);
  if (hms.whole >= 24) hms = {0, 0, 0};
  f[7] = Whole(hms.whole);
  f[8] = Whole(hms.minutes);
  f[9] = almacor::FormatNumber(hms.seconds, p2);

  f[10] = almacor::FormatNumber(a * almacor::kRad / 3600, p1);
  return f;
}

}  // namespace quillon::convert
