// The choice of locations against a brute force: the least deviation of
// every choice, found by dynamic programming over all pieces measured by
// the oracle, on small random days with bends, doubled points and straight
// stretches, from a few km to thousands, across the 180th meridian and
// round the poles.
#include "bruteforce.h"
#include "choice/choice.h"
#include "random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

Day day;
Sphere sphere;

// Fill day with n points of a random road: a walk whose steps turn, stop
// (the same point twice) or run on straight, on a random part of the globe,
// some near a pole, with steps of up to 2 km, 200 km or 2000 km. Longitudes
// wrap round at the 180th meridian.
void RandomDay(Random *random, size_t n) {
  StartDay(&day);
  int32_t lon = static_cast<int32_t>(random->Below(36000000)) - 18000000;
  int32_t lat = random->Below(4) == 0 ? 8950000 - static_cast<int32_t>(random->Below(100000))
                                      : static_cast<int32_t>(random->Below(16000000)) - 8000000;
  if (random->Below(2) == 0) lat = -lat;
  int32_t dx = 0, dy = 0;
  const int32_t scales[] = {2000, 200000, 2000000};
  int32_t step = 1 + static_cast<int32_t>(random->Below(scales[random->Below(3)]));
  for (size_t i = 0; i < n; i++) {
    AddToDay(&day, {lon, lat});
    uint32_t kind = random->Below(8);
    if (kind < 4) {
      dx = static_cast<int32_t>(random->Below(2 * step + 1)) - step;
      dy = static_cast<int32_t>(random->Below(2 * step + 1)) - step;
    }
    if (kind == 4) continue;
    lon = (lon + dx + 18000000 + 36000000) % 36000000 - 18000000;
    lat = std::clamp(lat + dy, -9000000, 9000000);
  }
  EndDay(&day);
  PlaceDay(day, &sphere);
}

// Check that each choice held is what it claims, and close to the least.
void ExpectChoices(const DayChoices &choices, const std::vector<double> &least) {
  for (size_t k = 1; k <= choices.most; k++) {
    size_t size = choices.size[k];
    ASSERT_GE(size, 1u);
    ASSERT_LE(size, k);
    EXPECT_EQ(choices.index[k][size - 1], day.n - 1);
    for (size_t i = 0; i < size; i++)
      EXPECT_TRUE(i == 0 ? day.n == 1 || choices.index[k][0] > 0
                         : choices.index[k][i] > choices.index[k][i - 1]);
    EXPECT_TRUE(SameKm(choices.deviation[k], OracleChoiceKm(day, choices.index[k], size)));
    EXPECT_LE(choices.low[k], least[k] * (1 + 1e-6) + 1e-6);
    EXPECT_TRUE(WithinBound(choices.deviation[k], least[k]))
        << "k " << k << ": " << choices.deviation[k] << " against " << least[k];
  }
}

// For the NAVMAN N20's 14 locations and for devices that take fewer.
TEST(Choice, WithinOnePercentOfTheLeast) {
  Random random{22};
  const size_t counts[] = {14, 3, 7, 10};
  for (int trial = 0; trial < 400; trial++) {
    size_t most = counts[trial % 4];
    RandomDay(&random, 1 + random.Below(40));
    std::vector<double> least = LeastDeviations(day, most);
    DayChoices choices;
    FirstChoices(day, sphere, most, &choices);
    NarrowChoices(day, sphere, &choices, [](size_t, const DayChoices &) { return true; });
    SCOPED_TRACE(trial);
    ASSERT_EQ(choices.most, most);
    ExpectChoices(choices, least);
    if (HasFatalFailure()) return;
  }
}

} // namespace
