#include "angle_conversion.h"

#include <gtest/gtest.h>

#include "almacor/calendar.h"

namespace quillon::convert {
namespace {

// Fills row `row` with `texts` and returns every field converted from it.
Fields ConvertRow(int row, std::initializer_list<const char*> texts) {
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

TEST(AngleConversion, MinusZeroDegreesGivesTheSignToTheFirstNonZeroPart) {
  EXPECT_EQ(ConvertRow(3, {"-0", "30", "0"})[0], "-0.5");
  EXPECT_EQ(ConvertRow(3, {"0", "30", "0"})[0], "0.5");
  EXPECT_EQ(ConvertRow(3, {"-0", "0", "36"})[0], "-0.01");
  EXPECT_EQ(ConvertRow(3, {"-5", "30", "0"})[0], "-5.5");
  // A lone sign counts as 0 and still carries its sign.
  EXPECT_EQ(ConvertRow(3, {"-", "6", "0"})[0], "-0.1");
}

TEST(AngleConversion, EachRowReadsItsUnit) {
  EXPECT_EQ(ConvertRow(1, {"90"})[0], "1.5");
  EXPECT_EQ(ConvertRow(2, {"5400"})[0], "1.5");
  EXPECT_EQ(ConvertRow(5, {"1", "30", "0"})[0], "22.5");
  EXPECT_EQ(ConvertRow(6, {"3.14159265358979"})[0], "180.0");
  // 24 h is a whole turn: 360° and back to 0 h on the time rows.
  const Fields day = ConvertRow(4, {"24"});
  EXPECT_EQ(day[0], "360.0");
  EXPECT_EQ(day[6], "0.0");
  EXPECT_EQ(day[7], "0");
}

TEST(AngleConversion, SplitFormsCarryInsteadOfShowingSixtySeconds) {
  // −105° is 17 h; a reduction in floating fractions of a turn gives 16h 59m 60.0s.
  const Fields f = ConvertRow(0, {"-105"});
  EXPECT_EQ((std::array{f[7], f[8], f[9]}), (std::array<std::string, 3>{"17", "0", "0.0"}));
  const Fields g = ConvertRow(2, {"59.99999999"});
  EXPECT_EQ((std::array{g[3], g[4], g[5]}), (std::array<std::string, 3>{"0", "1", "0.0"}));
}

TEST(AngleConversion, DecimalsShownByField) {
  const Fields f = ConvertRow(0, {"12.3456789"});
  EXPECT_EQ(f[0], "12.3456789");
  EXPECT_EQ(f[3], "12");
  EXPECT_EQ(f[4], "20");
  EXPECT_EQ(f[5], "44.44404");
  EXPECT_EQ(ConvertRow(0, {"0.3333333333333333"})[0], "0.33333333333333");  // 14 decimals at most
  EXPECT_EQ(ConvertRow(2, {"1.23456789"})[5], "1.234568");                  // seconds: 6
}

TEST(AngleConversion, RangesAreInclusiveAndNonNumbersCountAsZero) {
  EXPECT_TRUE(InRange(0, "7200"));
  EXPECT_FALSE(InRange(0, "7200.5"));
  EXPECT_TRUE(InRange(0, "-7200"));
  EXPECT_FALSE(InRange(2, "25920001"));
  EXPECT_TRUE(InRange(10, "125.6637061435916"));
  EXPECT_FALSE(InRange(10, "125.6637061435917"));
  EXPECT_TRUE(InRange(4, "60"));
  EXPECT_FALSE(InRange(4, "61"));
  EXPECT_FALSE(InRange(6, "24.1"));
  EXPECT_TRUE(InRange(3, "-"));
  EXPECT_TRUE(InRange(7, ""));
  EXPECT_EQ(FieldNumber("+1.5"), 1.5);
  EXPECT_EQ(FieldNumber("-.5"), -0.5);
  EXPECT_EQ(FieldNumber("5."), 5);
  EXPECT_EQ(FieldNumber("."), 0);
  EXPECT_EQ(FieldNumber("--5"), 0);

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

  EXPECT_TRUE(IsAcceptableText(0, "-1.5"));
  EXPECT_FALSE(IsAcceptableText(0, "12a"));
  EXPECT_FALSE(IsAcceptableText(0, "1-2"));
  EXPECT_FALSE(IsAcceptableText(0, "1.2.3"));
  EXPECT_FALSE(IsAcceptableText(4, "1.5"));
  EXPECT_FALSE(IsAcceptableText(6, "-1"));
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
