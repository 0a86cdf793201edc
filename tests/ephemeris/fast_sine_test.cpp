#include "ephemeris/fast_sine.h"

#include <gtest/gtest.h>

#include <cmath>

namespace almacor {
namespace {

// The polynomial sine against std::sin over several turns either side of 0 and at the large
// arguments the series reach (rate·T of a few million degrees), folds and quarter turns included.
TEST(FastSineTest, StaysWithinFiveUnitsOfE14OfStdSin) {
  const double pi = 3.14159265358979323846;
  double worst = 0;
  for (double x = -1080; x <= 1080; x += 0.37) {
    worst = std::fmax(worst, std::fabs(detail::FastSineOfDegrees(x) - std::sin(x * pi / 180)));
  }
  for (double x : {0.0, 90.0, 180.0, 270.0, -90.0, 45.0, 2.5e6 + 90, -4.1e6 + 33.3}) {
    const double turns = x / 360 - std::floor(x / 360);
    worst = std::fmax(worst, std::fabs(detail::FastSineOfDegrees(x) - std::sin(turns * 2 * pi)));
  }
  EXPECT_LT(worst, 5e-14);
  EXPECT_EQ(detail::FastSineOfDegrees(90), detail::FastSineOfDegrees(450));
}

#if defined(__SSE2__)
// The vector form is the scalar one, two arguments at a time, to the last bit.
TEST(FastSineTest, VectorFormEqualsScalarForm) {
  for (double x = -7200; x <= 7200; x += 1.7) {
    alignas(16) double lanes[2];
    _mm_store_pd(lanes, detail::FastSineOfDegrees(_mm_set_pd(x + 0.5, x)));
    EXPECT_EQ(lanes[0], detail::FastSineOfDegrees(x)) << x;
    EXPECT_EQ(lanes[1], detail::FastSineOfDegrees(x + 0.5)) << x;
  }
}
#endif

}  // namespace
}  // namespace almacor
