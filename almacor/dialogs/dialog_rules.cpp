// The dialogs' key, range and conversion rules, apart from the widgets.
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "almacor/calendar.h"
#include "almacor/dialogs/dialogs.h"
#include "almacor/dialogs/input.h"
#include "almacor/format.h"
#include "almacor/math_object.h"

namespace almacor::dialogs {
namespace {

std::string Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

bool IsLoneSign(const std::string& text) {
  const std::string t = Trim(text);
  return t == "-" || t == "+";
}

}  // namespace

FieldRange LocationFieldRange(int field) {
  switch (field) {
    case 1:
      return {-180, 180, true};
    case 2:
      return {-89.9999, 89.99999, true};  // the upper bound has one more 9
    case 3:
      return {0, 10000, false};
    default:
      return {-12, 12, true};
  }
}

bool LocationFieldAccepts(int field, const std::string& text) {
  const std::optional<double> v = ParseNumber(text);
  const FieldRange range = LocationFieldRange(field);
  return v && *v >= range.minimum && *v <= range.maximum;
}

std::string LocationFieldText(double value) { return FormatGeneral(value); }

DmsTexts SplitDms(double value) {
  const double arcseconds = value * 3600;
  const double a = std::fabs(arcseconds);
  const double m = std::trunc(a / 60);
  DmsTexts texts;
  texts.degrees = FormatNumber(std::trunc(a / 3600), "0");
  if (arcseconds < 0) texts.degrees.insert(texts.degrees.begin(), '-');
  texts.minutes = FormatNumber(std::fmod(m, 60), "0");
  texts.seconds = FormatNumber(a - 60 * m, "#0.0#####");
  return texts;
}

bool DmsFieldAccepts(int field, const std::string& text, double limit) {
  if (field == 1 && IsLoneSign(text)) return true;
  const std::optional<double> v = ParseNumber(text);
  if (!v) return false;
  switch (field) {
    case 1:
      return *v == std::trunc(*v) && std::fabs(*v) <= limit;
    case 2:
      return *v == std::trunc(*v) && *v >= 0 && *v <= 59;
    default:
      return *v >= 0 && *v <= 59.9999999;
  }
}

double JoinDms(const DmsTexts& texts) {
  const auto value = [](const std::string& t) { return ParseNumber(t).value_or(0); };
  double d = std::fabs(std::trunc(value(texts.degrees)));
  double m = std::trunc(value(texts.minutes));
  double s = value(texts.seconds);
  if (Trim(texts.degrees).rfind('-', 0) == 0) {
    if (d != 0) {
      d = -d;
    } else if (m != 0) {
      m = -m;
    } else {
      s = -s;
    }
  }
  const Calendar calendar;
  return calendar.Math().DmsDegree(static_cast<std::int16_t>(d), static_cast<std::int16_t>(m), s);
}

std::string DmsResultText(double value) { return FormatNumber(value, "#0.0#############"); }

}  // namespace almacor::dialogs
