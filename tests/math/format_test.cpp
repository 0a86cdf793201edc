#include "almacor/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "almacor/error.h"
#include "test_support.h"

namespace almacor {
namespace {

// The patterns the program shows numbers with, and the rules behind them: halves away from zero,
// decided on the decimal value; optional decimals; grouping; literals.
TEST(FormatNumber, Patterns) {
  const struct {
    double value;
    const char* pattern;
    const char* expected;
  } cases[] = {
      // Distances.
      {0.000005, "#0.00000au", "0.00001au"},
      {1.016, "0.00000au", "1.01600au"},
      {999.5, "###,###km", "1,000km"},
      {0.4, "###,###km", "km"},
      {-384400, "###,###km", "-384,400km"},
      // Angles.
      {45.25, "##0.0ﾟ", "45.3ﾟ"},  // 45.25 is exact in binary: the half goes away from zero
      {-0.05, "##0.0ﾟ", "-0.1ﾟ"},
      {-123.4567891, "##0.000000ﾟ", "-123.456789ﾟ"},
      {179.9999999, "##0.000000ﾟ", "180.000000ﾟ"},
      // Optional decimals.
      {139.7447, "#0.0#############", "139.7447"},  // not 139.74469999999999
      {2.0 / 3, "#0.0#############", "0.66666666666667"},
      {5, "#0.0#############", "5.0"},
      {59.9999999, "#0.0#####", "60.0"},
      // The information box and the time parts.
      {2460000.5, "#.00000000", "2460000.50000000"},
      {0.5, "#.00000000", ".50000000"},
      {9.99995, "#0.0000", "10.0000"},
      {0.5, "##0.0000%", "50.0000%"},
      {1.005, "#0.00", "1.01"},   // decimal 1.005, although the double lies just below it
      {-0.004, "#0.00", "0.00"},  // rounds to zero: no sign
      {-0.5, "（食分：0.000）", "-（食分：0.500）"},
      {59.5, "00", "60"},
      {-2.5, "00", "-03"},
      {5, "00\\h", "05h"},
      {59.9999, "00.000", "60.000"},
      // Placeholders, grouping and literals.
      {0, "#", ""},
      {5, "#.##", "5."},
      {12.5, ".00", "12.50"},
      {1234567, "#,##0", "1,234,567"},
      {1234567, "0,", "1235"},  // a comma before the point divides by 1000
      {1234567, "#,##0,", "1,235"},
      {1e20, "0", "100000000000000000000"},
      {5, "\\#0", "#5"},
      {5, "\"x=\"0", "x=5"},
      {5, "0;", "5;"},  // no sections: ";" is text
      {5, ",0", ",5"},  // a comma before any digit place is text
      // The empty pattern: the general form.
      {66.07, "", "66.07"},
      {-0.0, "", "0"},
      {1.0 / 3, "", "0.333333333333333"},
      {1.5e20, "", "1.5E+20"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern), c.expected)
        << "value " << c.value << " pattern " << c.pattern;
  }
  EXPECT_EQ(FormatGeneral(69.184), "69.184");
}

TEST(FormatNumber, RejectsNonFiniteAndOverflow) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {inf, -inf, std::nan("")}) {
    EXPECT_EQ(ErrorNumberOf([&] { FormatNumber(v, "0.0"); }), kInvalidArgument) << v;
  }
  EXPECT_EQ(ErrorNumberOf([] { FormatNumber(1e308, "0%"); }), kOverflow);
}

TEST(FormatNumber, NeverSplitsMultiByteCharacters) {
  // A pattern cut inside a multi-byte character copies the broken bytes as they are, never more.
  const std::string cut = std::string("0\\ﾟ").substr(0, 3);
  std::string expected(1, '5');
  expected += cut.substr(2);
  EXPECT_EQ(FormatNumber(5, cut), expected);
  EXPECT_EQ(FormatNumber(5, "0\\"), "5");
}

TEST(FormatDateTime, ClockCaptionAndRadiusPatterns) {
  const Date d = Date::FromCivil(2024, 6, 1, 5, 7, 9);
  EXPECT_EQ(FormatDateTime(d, "/m/d hh:nn:ss"), "/6/1 05:07:09");
  EXPECT_EQ(FormatDateTime(d, "yyyy年m月d日 h時"), "2024年6月1日 5時");
  EXPECT_EQ(FormatDateTime(d, "yy/mm/dd \\h\\h \"nn\""), "24/06/01 hh nn");
  EXPECT_EQ(FormatDateTime(Date::FromValue(-1.25), "yyyy-mm-dd hh:nn"), "1899-12-29 06:00");
  // Seconds round to the nearest and carry into the date: 1899-12-30 23:59:59.6.
  EXPECT_EQ(FormatDateTime(Date::FromValue(1 - 0.4 / 86400), "/m/d hh:nn:ss"), "/12/31 00:00:00");
  // The apparent radius r (degrees) is shown as the time of day r/24: 1° ↔ 1 hour, 1′ ↔ 1 minute.
  EXPECT_EQ(FormatDateTime(Date::FromValue(959.4 / 86400), "nn' ss"), "15' 59");
  EXPECT_EQ(FormatDateTime(Date::FromValue(959.6 / 86400), "nn' ss"), "16' 00");
}

TEST(FormatDateTime, RejectsUnsupportedTokens) {
  for (const char* p : {"mmm", "ddd", "y", "hhh"}) {
    EXPECT_THROW(FormatDateTime(Date(), p), Error) << p;
  }
}

}  // namespace
}  // namespace almacor
