#include "almacor/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "almacor/error.h"
#include "test_support.h"

namespace almacor {
namespace {

// The patterns the program shows numbers with (tests/data/format_patterns.tsv).
TEST(FormatNumber, Patterns) {
  const auto rows = ReadReferenceTable("format_patterns.tsv", '\t');
  ASSERT_GT(rows.size(), 30u);
  for (const auto& r : rows) {
    EXPECT_EQ(FormatNumber(std::stod(r[0]), r[1]), r.size() > 2 ? r[2] : "")
        << "value " << r[0] << " pattern " << r[1];
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
