#include "../../almacor/calendars/basic_arithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "test_support.h"

namespace almacor {
namespace {

TEST(BasicArithmeticTest, RoundHalfEvenSendsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999999999999996), 2);
  EXPECT_EQ(RoundHalfEven(2.5000000000000004), 3);
  EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497.0);  // 2^52 + 1: already whole
}

TEST(BasicArithmeticTest, IntegerDivisionTruncatesModKeepsTheDividendsSignZeroAndOverflowRaise) {
  EXPECT_EQ(IntDiv(7, 2), 3);
  EXPECT_EQ(IntDiv(-7, 2), -3);
  EXPECT_EQ(IntDiv(7, -2), -3);
  EXPECT_EQ(Mod(7, 2), 1);
  EXPECT_EQ(Mod(-7, 2), -1);
  EXPECT_EQ(Mod(-7, -2), -1);
  EXPECT_EQ(Mod(INT32_MIN, -1), 0);
  // Double operands are rounded half-even before dividing.
  EXPECT_EQ(IntDiv(7.5, 2.0), 4);   // 8 \ 2
  EXPECT_EQ(IntDiv(6.5, 2.0), 3);   // 6 \ 2
  EXPECT_EQ(IntDiv(10.0, 2.5), 5);  // 10 \ 2
  EXPECT_EQ(Mod(10.5, 3.0), 1);     // 10 Mod 3
  EXPECT_EQ(Mod(11.5, 3.0), 0);     // 12 Mod 3
  EXPECT_EQ(Mod(-7.2, 3.0), -1);
  // Division by zero and overflow raise.
  EXPECT_EQ(ErrorNumberOf([] { IntDiv(1, 0); }), kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([] { Mod(1, 0); }), kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([] { Mod(7.0, 0.4); }), kDivisionByZero);  // 0.4 rounds to 0
  EXPECT_EQ(ErrorNumberOf([] { IntDiv(INT32_MIN, -1); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { IntDiv(2147483647.5, 1.0); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { Mod(std::nan(""), 3.0); }), kOverflow);
  EXPECT_EQ(ToLong(-2147483648.4), INT32_MIN);
}

}  // namespace
}  // namespace almacor
