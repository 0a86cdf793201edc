#include "almacor/format.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "almacor/error.h"
#include "math/number_pattern.h"

namespace almacor {
namespace {

// Byte length of the UTF-8 sequence that starts with byte c (1 for a stray continuation byte, so
// malformed text is copied through byte by byte and never read past its end).
std::size_t Utf8Length(unsigned char c) {
  if (c >= 0xF0) return 4;
  if (c >= 0xE0) return 3;
  if (c >= 0xC0) return 2;
  return 1;
}

// The character that starts at i of s, whole, clipped at the end of s.
std::string_view CharAt(std::string_view s, std::size_t i) {
  return s.substr(i, std::min(Utf8Length(static_cast<unsigned char>(s[i])), s.size() - i));
}

// Reads a literal at pattern[i] when it is `\x` or "text" and appends it to `out`; returns the
// index behind it, or i when pattern[i] starts no literal.
std::size_t ReadQuotedLiteral(std::string_view pattern, std::size_t i, std::string& out) {
  if (pattern[i] == '\\') {
    if (i + 1 >= pattern.size()) return i + 1;  // a lone trailing backslash prints nothing
    const std::string_view c = CharAt(pattern, i + 1);
    out += c;
    return i + 1 + c.size();
  }
  if (pattern[i] == '"') {
    const std::size_t close = pattern.find('"', i + 1);
    const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
    out += pattern.substr(i + 1, end - i - 1);
    return close == std::string_view::npos ? end : end + 1;
  }
  return i;
}

// ---- Number patterns ----

enum class TokenKind { kMandatory, kOptional, kPoint, kPercent, kGroup, kScale, kLiteral };

struct Token {
  TokenKind kind;
  std::string text;  // for kLiteral
};

struct NumberPattern {
  std::vector<Token> tokens;
  int integerPlaces = 0;          // digit places left of the point
  int decimalPlaces = 0;          // digit places right of the point
  int minIntegerDigits = 0;       // integer places from the first `0` to the point
  int lastMandatoryDecimal = -1;  // index of the last `0` right of the point
  int percents = 0;
  int scales = 0;  // each divides by 1000
  bool grouping = false;
};

NumberPattern ParseNumberPattern(std::string_view pattern) {
  NumberPattern p;
  bool afterPoint = false;
  int firstMandatory = -1;  // integer place of the first `0`
  auto literal = [&p](std::string_view text) {
    if (!p.tokens.empty() && p.tokens.back().kind == TokenKind::kLiteral) {
      p.tokens.back().text += text;
    } else {
      p.tokens.push_back({TokenKind::kLiteral, std::string(text)});
    }
  };
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (c == '\\' || c == '"') {
      std::string text;
      i = ReadQuotedLiteral(pattern, i, text);
      literal(text);
      continue;
    }
    if (c == '0' || c == '#') {
      p.tokens.push_back({c == '0' ? TokenKind::kMandatory : TokenKind::kOptional, {}});
      if (afterPoint) {
        if (c == '0') p.lastMandatoryDecimal = p.decimalPlaces;
        ++p.decimalPlaces;
      } else {
        if (c == '0' && firstMandatory < 0) firstMandatory = p.integerPlaces;
        ++p.integerPlaces;
      }
    } else if (c == '.' && !afterPoint) {
      p.tokens.push_back({TokenKind::kPoint, {}});
      afterPoint = true;
    } else if (c == '%') {
      p.tokens.push_back({TokenKind::kPercent, {}});
      ++p.percents;
    } else if (c == ',' && !afterPoint && p.integerPlaces > 0) {
      p.tokens.push_back({TokenKind::kScale, {}});  // settled below
    } else {
      literal(CharAt(pattern, i));
      i += CharAt(pattern, i).size();
      continue;
    }
    ++i;
  }
  if (firstMandatory >= 0) p.minIntegerDigits = p.integerPlaces - firstMandatory;
  // A comma followed by a further integer place groups; the others divide by 1000. The scan runs
  // leftwards, so the point clears what the decimal places set.
  bool placeFollows = false;
  for (auto it = p.tokens.rbegin(); it != p.tokens.rend(); ++it) {
    if (it->kind == TokenKind::kPoint) {
      placeFollows = false;
    } else if (it->kind == TokenKind::kMandatory || it->kind == TokenKind::kOptional) {
      placeFollows = true;
    } else if (it->kind == TokenKind::kScale && placeFollows) {
      it->kind = TokenKind::kGroup;
      p.grouping = true;
    }
  }
  for (const Token& t : p.tokens) {
    if (t.kind == TokenKind::kScale) ++p.scales;
  }
  return p;
}

// |value| rounded half away from zero to `decimals` places, as decimal digits: the integer digits
// without leading zeros (empty for 0) and exactly `decimals` fraction digits. The value is taken to
// 15 significant digits first.
void RoundedDigits(double magnitude, int decimals, std::string& integer, std::string& fraction) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);  // d.dddddddddddddde±x
  std::string significant;
  significant += buffer[0];
  significant.append(buffer + 2, 14);
  const int exponent = std::atoi(buffer + 17);
  // Digit i of `significant` weighs 10^(exponent − i); keep those weighing 10^−decimals or more.
  const long keep = static_cast<long>(exponent) + decimals + 1;
  std::string scaled;  // round(magnitude · 10^decimals) in decimal
  bool roundUp = false;
  if (keep >= 15) {
    scaled = significant;
    scaled.append(static_cast<std::size_t>(keep - 15), '0');
  } else if (keep >= 0) {
    scaled = significant.substr(0, static_cast<std::size_t>(keep));
    roundUp = significant[static_cast<std::size_t>(keep)] >= '5';
  }
  if (roundUp) {
    std::size_t i = scaled.size();
    while (i > 0 && scaled[i - 1] == '9') scaled[--i] = '0';
    if (i == 0) {
      scaled.insert(scaled.begin(), '1');
    } else {
      ++scaled[i - 1];
    }
  }
  if (scaled.size() < static_cast<std::size_t>(decimals) + 1) {
    scaled.insert(0, static_cast<std::size_t>(decimals) + 1 - scaled.size(), '0');
  }
  const std::size_t split = scaled.size() - static_cast<std::size_t>(decimals);
  const std::size_t firstNonZero = std::min(scaled.find_first_not_of('0'), split);
  integer = scaled.substr(firstNonZero, split - firstNonZero);
  fraction = scaled.substr(split);
}

}  // namespace

int PatternDecimalPlaces(std::string_view pattern) {
  return ParseNumberPattern(pattern).decimalPlaces;
}

std::string FormatGeneral(double value) {
  RequireFinite(value, "the value to format");
  if (value == 0) return "0";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  return buffer;
}

std::string FormatNumber(double value, std::string_view pattern) {
  RequireFinite(value, "the value to format");
  if (pattern.empty()) return FormatGeneral(value);
  const NumberPattern p = ParseNumberPattern(pattern);

  double v = value;
  for (int i = 0; i < p.percents; ++i) v *= 100;
  for (int i = 0; i < p.scales; ++i) v /= 1000;
  if (!std::isfinite(v)) throw Error(kOverflow, "the value is too large for the pattern");

  std::string integer, fraction;
  RoundedDigits(std::fabs(v), p.decimalPlaces, integer, fraction);
  const bool isZero = integer.empty() && fraction.find_first_not_of('0') == std::string::npos;

  // The integer digits to print, zero-padded to the pattern's mandatory places.
  const int shown = std::max(static_cast<int>(integer.size()), p.minIntegerDigits);
  const std::string digits = std::string(shown - integer.size(), '0') + integer;
  const int offset = shown - p.integerPlaces;  // > 0: surplus digits go to the first place
  const int lastNonZero = static_cast<int>(fraction.find_last_not_of('0'));  // −1 if none
  const int lastDecimal = std::max(p.lastMandatoryDecimal, lastNonZero);

  std::string out;
  out.reserve(pattern.size() + digits.size() + digits.size() / 3 + 2);
  if (v < 0 && !isZero) out += '-';
  auto putDigit = [&](int k) {  // digit k of `digits`, then a group comma when one is due
    out += digits[k];
    const int fromRight = shown - 1 - k;
    if (p.grouping && fromRight > 0 && fromRight % 3 == 0) out += ',';
  };
  int integerPlace = 0, decimalPlace = 0;
  bool afterPoint = false;
  for (const Token& t : p.tokens) {
    switch (t.kind) {
      case TokenKind::kMandatory:
      case TokenKind::kOptional:
        if (afterPoint) {
          if (decimalPlace <= lastDecimal) out += fraction[decimalPlace];
          ++decimalPlace;
        } else {
          if (integerPlace == 0) {
            for (int k = 0; k < offset; ++k) putDigit(k);
          }
          if (integerPlace + offset >= 0) putDigit(integerPlace + offset);
          ++integerPlace;
        }
        break;
      case TokenKind::kPoint:
        // Without integer places the integer digits stand right before the point.
        if (p.integerPlaces == 0) {
          for (int k = 0; k < shown; ++k) putDigit(k);
        }
        out += '.';
        afterPoint = true;
        break;
      case TokenKind::kPercent:
        out += '%';
        break;
      case TokenKind::kGroup:
      case TokenKind::kScale:
        break;
      case TokenKind::kLiteral:
        out += t.text;
        break;
    }
  }
  return out;
}

std::string FormatDateTime(const Date& date, std::string_view pattern) {
  const CivilDateTime c = date.ToCivil();
  std::string out;
  out.reserve(pattern.size() + 8);
  auto put = [&out](int value, std::size_t width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", static_cast<int>(width), value);
    out += buffer;
  };
  for (std::size_t i = 0; i < pattern.size();) {
    const std::size_t behindLiteral = ReadQuotedLiteral(pattern, i, out);
    if (behindLiteral != i) {
      i = behindLiteral;
      continue;
    }
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
    if (std::string_view("ymdhns").find(letter) == std::string_view::npos) {
      const std::string_view ch = CharAt(pattern, i);
      out += ch;
      i += ch.size();
      continue;
    }
    std::size_t run = 1;
    while (i + run < pattern.size() &&
           std::tolower(static_cast<unsigned char>(pattern[i + run])) == letter) {
      ++run;
    }
    if (letter == 'y' && run == 4) {
      put(c.year, 4);
    } else if (letter == 'y' && run == 2) {
      put(c.year % 100, 2);
    } else if (letter != 'y' && run <= 2) {
      const int value = letter == 'm'   ? c.month
                        : letter == 'd' ? c.day
                        : letter == 'h' ? c.hour
                        : letter == 'n' ? c.minute
                                        : c.second;
      put(value, run);
    } else {
      throw Error(kInvalidArgument,
                  "unsupported date pattern token \"" + std::string(pattern.substr(i, run)) + "\"");
    }
    i += run;
  }
  return out;
}

}  // namespace almacor
