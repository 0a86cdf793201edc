#include "angle_conversion.h"

#include <gtest/gtest.h>

#include <vector>

#include "almacor/calendar.h"

namespace quillon::convert {
namespace {

// Fills row `row` with `texts` and returns every field converted from it.
Fields ConvertRow(int row, const std::vector<const char*>& texts) {
  static almacor::Calendar calendar;
  Fields fields;
  int f = FirstFieldOfRow(row);
  for (const char* t : texts) fields[static_cast<std::size_t>(f++)] = t;
  const std::optional<double> a = RowArcseconds(row, fields, calendar.Math());
  EXPECT_TRUE(a.has_value());
  return FieldsFromArcseconds(a.value_or(0));
}

TEST(AngleConversion, MinusThirtyDegreesFillsEveryRowAndWrapsTheHours) {
  const Fields expected = {"-30.0", "-1800.0", "-108000.0",       "-30", "0", "0.0", "22.0", "22",
                           "0",     "0.0",     "-0.5235987755983"};
  EXPECT_EQ(ConvertRow(0, {"-30"}), expected);
}

// Each row reads its unit; −0 degrees gives the sign to the first part that is not zero (a lone
// sign counts as 0 and keeps it); the split forms carry instead of showing 60 seconds (−105° is
// 17 h, which a reduction in floating fractions of a turn gives as 16h 59m 60.0s); each field shows
// its own decimals (14 at most, 6 for seconds).
TEST(AngleConversion, RowsUnitsSignsCarriesAndDecimals) {
  using Case = std::tuple<int, std::vector<const char*>, int, const char*>;
  for (const auto& [row, texts, field, shown] :
       {Case{1, {"90"}, 0, "1.5"},
        Case{2, {"5400"}, 0, "1.5"},
        Case{5, {"1", "30", "0"}, 0, "22.5"},
        Case{6, {"3.14159265358979"}, 0, "180.0"},
        Case{4, {"24"}, 0, "360.0"},
        Case{4, {"24"}, 6, "0.0"},
        Case{4, {"24"}, 7, "0"},
        Case{3, {"-0", "30", "0"}, 0, "-0.5"},
        Case{3, {"0", "30", "0"}, 0, "0.5"},
        Case{3, {"-0", "0", "36"}, 0, "-0.01"},
        Case{3, {"-5", "30", "0"}, 0, "-5.5"},
        Case{3, {"-", "6", "0"}, 0, "-0.1"},
        Case{0, {"-105"}, 7, "17"},
        Case{0, {"-105"}, 8, "0"},
        Case{0, {"-105"}, 9, "0.0"},
        Case{2, {"59.99999999"}, 4, "1"},
        Case{2, {"59.99999999"}, 5, "0.0"},
        Case{0, {"12.3456789"}, 0, "12.3456789"},
        Case{0, {"12.3456789"}, 4, "20"},
        Case{0, {"12.3456789"}, 5, "44.44404"},
        Case{0, {"0.3333333333333333"}, 0, "0.33333333333333"},
        Case{2, {"1.23456789"}, 5, "1.234568"}}) {
    EXPECT_EQ(ConvertRow(row, texts)[static_cast<std::size_t>(field)], shown)
        << "row " << row << " " << texts.front() << " field " << field;
  }
}

TEST(AngleConversion, RangesAreInclusiveAndNonNumbersCountAsZero) {
  for (const auto& [field, text, inRange] :
       {std::tuple{0, "7200", true}, std::tuple{0, "7200.5", false}, std::tuple{0, "-7200", true},
        std::tuple{2, "25920001", false}, std::tuple{10, "125.6637061435916", true},
        std::tuple{10, "125.6637061435917", false}, std::tuple{4, "60", true},
        std::tuple{4, "61", false}, std::tuple{6, "24.1", false}, std::tuple{3, "-", true},
        std::tuple{7, "", true}}) {
    EXPECT_EQ(InRange(field, text), inRange) << field << " " << text;
  }
  for (const auto& [text, number] :
       {std::pair{"+1.5", 1.5}, std::pair{"-.5", -0.5}, std::pair{"5.", 5.0}, std::pair{".", 0.0},
        std::pair{"--5", 0.0}}) {
    EXPECT_EQ(FieldNumber(text), number) << text;
  }
  almacor::Calendar calendar;
  Fields outOfRange;
  outOfRange[0] = "7201";
  EXPECT_FALSE(RowArcseconds(0, outOfRange, calendar.Math()).has_value());
}

TEST(AngleConversion, KeyFilter) {
  EXPECT_TRUE(AcceptsCharacter(0, '7', "12", 2, 0));
  EXPECT_FALSE(AcceptsCharacter(0, '.', "1.5", 3, 0));  // a second point
  EXPECT_TRUE(AcceptsCharacter(0, '.', "1.5", 0, 3));   // replacing the one there
  EXPECT_FALSE(AcceptsCharacter(0, '-', "12", 1, 0));   // a sign after a digit
  EXPECT_TRUE(AcceptsCharacter(0, '-', "12", 0, 0));
  EXPECT_FALSE(AcceptsCharacter(0, '-', "-12", 0, 0));  // in front of a sign
  EXPECT_TRUE(AcceptsCharacter(0, '+', "-12", 0, 1));
  EXPECT_TRUE(AcceptsCharacter(10, '-', "", 0, 0));
  EXPECT_TRUE(AcceptsCharacter(3, '-', "", 0, 0));
  EXPECT_FALSE(AcceptsCharacter(3, '.', "1", 1, 0));
  for (int f : {4, 5, 6, 7, 8, 9}) EXPECT_FALSE(AcceptsCharacter(f, '-', "", 0, 0)) << f;
  for (int f : {4, 7, 8}) EXPECT_FALSE(AcceptsCharacter(f, '.', "1", 1, 0)) << f;
  for (int f : {5, 6, 9}) EXPECT_TRUE(AcceptsCharacter(f, '.', "1", 1, 0)) << f;
  EXPECT_FALSE(AcceptsCharacter(0, 'e', "1", 1, 0));
  EXPECT_FALSE(AcceptsCharacter(0, ',', "1", 1, 0));
  for (const auto& [field, text] : {std::pair{0, "12a"}, std::pair{0, "1-2"}, std::pair{0, "1.2.3"},
                                    std::pair{4, "1.5"}, std::pair{6, "-1"}}) {
    EXPECT_FALSE(IsAcceptableText(field, text)) << text;
  }
  EXPECT_TRUE(IsAcceptableText(0, "-1.5"));
}

TEST(AngleConversion, RowsAndTheirButtons) {
  Fields fields;
  fields[3] = "1";
  fields[4] = "2";
  EXPECT_FALSE(RowReady(3, fields));
  fields[5] = "3";
  EXPECT_TRUE(RowReady(3, fields));
  EXPECT_FALSE(RowReady(0, fields));
  EXPECT_EQ((std::array{RowOfField(5), RowOfField(6), RowOfField(9), RowOfField(10)}),
            (std::array{3, 4, 5, 6}));
}

}  // namespace
}  // namespace quillon::convert
