// Distances on the globe against figures worked out by hand: the geometry
// of each case is written beside it, with the C library's trigonometry.
#include "base/globe.h"
#include "choice/deviation.h"
#include "random.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double radius = 6371;

double Rad(double degrees) {
  return degrees * M_PI / 180;
}

// The deviation of the piece from a to b from the one point p between.
double Deviation(RoutePoint a, RoutePoint p, RoutePoint b) {
  static Day day;
  static Sphere sphere;
  StartDay(&day);
  AddToDay(&day, a);
  AddToDay(&day, p);
  AddToDay(&day, b);
  EndDay(&day);
  PlaceDay(day, &sphere);
  return PieceDeviation(sphere, 0, 2);
}

TEST(Globe, PieceDistancesWorkedOutByHand) {
  // 50° N, the longitudes 600 km of the parallel apart, the point half way:
  // the great circle peaks there at tan(peak) = tan(50°) / cos(half the
  // longitudes between).
  const int32_t lon600 =
      static_cast<int32_t>(std::lround(600 / (radius * M_PI / 180 * std::cos(Rad(50))) * 1e5));
  const double half = Rad(lon600 / 2 / 1e5);
  const double peak = std::atan(std::tan(Rad(50)) / std::cos(half));
  const double peak180 = std::atan(std::tan(Rad(10)) / std::cos(Rad(0.1)));
  const struct {
    const char *what;
    RoutePoint a, p, b;
    double km;
  } cases[] = {
      // The equator is a great circle; a point's distance from it is its
      // latitude along the meridian.
      {"55 km off a road along the equator",
       {0, 0},
       {100000, 49463},
       {200000, 0},
       radius * Rad(0.49463)},
      {"half way along 600 km of 50 N",
       {0, 5000000},
       {lon600 / 2, 5000000},
       {lon600, 5000000},
       radius * (peak - Rad(50))},
      // 0.2° across 180° at 10° N: the short piece peaks at 180°, as the
      // longer one above; the point is north of the peak, just short of
      // 180°, where the circle runs east.
      {"across the 180th meridian",
       {17990000, 1000000},
       {17999999, 1001000},
       {-17990000, 1000000},
       radius * (Rad(10.01) - peak180)},
      // Over the North Pole from 0° to 180°: the point on 90° E lies
      // square to that meridian's plane, its colatitude away from it.
      {"over the North Pole",
       {0, 8990000},
       {9000000, 8995000},
       {-18000000, 8990000},
       radius * Rad(0.05)},
      {"over the South Pole",
       {4500000, -8999000},
       {-4500000, -8999500},
       {-13500000, -8999000},
       radius * Rad(0.005)},
      // Beyond the piece's end, the end is nearest.
      {"beyond the end", {0, 0}, {200000, 0}, {100000, 0}, radius * Rad(1)},
      // Antipodal ends have no shorter arc: a quarter circle to either.
      {"antipodal ends", {0, 0}, {9000000, 0}, {-18000000, 0}, radius * Rad(90)},
  };
  for (const auto &c : cases)
    EXPECT_NEAR(Deviation(c.a, c.p, c.b), c.km, 1e-6 * c.km + 1e-6) << c.what;
}

TEST(Globe, RoadAlongAGreatCircleIsStraight) {
  // Points of one meridian, and of the equator: no rounding makes a bend.
  EXPECT_EQ(Deviation({1100000, 4700000}, {1100000, 4712345}, {1100000, 4800000}), 0);
  EXPECT_EQ(Deviation({-17000000, 0}, {-16912345, 0}, {-16000000, 0}), 0);
}

TEST(Globe, SeriesAgreeWithTheLibraryAnywhere) {
  Random random{7};
  for (int i = 0; i < 10000; i++) {
    int64_t units = static_cast<int64_t>(random.Below(72000000)) - 36000000;
    double sine, cosine;
    SineCosine(units, &sine, &cosine);
    // The angle in radians is rounded to its last place first: up to 2e-15.
    double r = Rad(static_cast<double>(units) / 1e5);
    ASSERT_NEAR(sine, std::sin(r), 3e-15) << units;
    ASSERT_NEAR(cosine, std::cos(r), 3e-15) << units;
    double x = random.Below(1000001) / 1e6;
    ASSERT_NEAR(ArcSine(x), std::asin(x), 1e-15 * (1 + 1 / std::sqrt(1 - x * x + 1e-300))) << x;
  }
}

} // namespace
