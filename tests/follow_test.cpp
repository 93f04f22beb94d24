// Following the route, end to end on random exports of several days: the
// whole tour's file within 1 % (plus 0.01 km) of the best split of any
// choices, each day's own file within it of that day's best, every day's end
// in both, and the export read at most twice before the files are written.
#include "bruteforce.h"
#include "choice/follow.h"
#include "faultyexport.h"
#include "random.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

Random generator = {2208};
ExportReader reader;
Following following;

// The DMS digits of a position in tenths of a second.
std::string Dms(long tenths) {
  char text[32];
  snprintf(text, sizeof text, "%02ld%02ld%03ld", tenths / 36000, tenths / 600 % 60, tenths % 600);
  return text;
}

// An export of nrDays days, each of 1 to 25 route points on a road that
// bends, stops and runs straight, some named; POIs, distances that are no
// number and empty lines that end no day among them.
std::string RandomExport(int nrDays) {
  std::string text;
  long lon = 11 * 36000 + generator.Below(20000), lat = 47 * 36000 + generator.Below(20000);
  for (int day = 0; day < nrDays; day++) {
    if (day > 0) text += "\r\n";
    if (generator.Below(4) == 0) text += "\r\n";
    long dx = 0, dy = 0;
    uint32_t step = 1 + generator.Below(300);
    unsigned points = 1 + generator.Below(25);
    for (unsigned i = 0; i < points; i++) {
      unsigned kind = generator.Below(10);
      if (kind == 0) text += "7\t\t\tGasthof\t\tPOI\t(1101300,4712432)\t\t\r\n";
      if (kind == 1) text += "8\tabc\t0:00\t\t\tRoute\t(1101300,4712432)\t\t574 m\r\n";
      std::string name = generator.Below(3) == 0 ? "Ort " + std::to_string(i) : "";
      text += "1\t" + std::to_string(i) + ".5\t0:00\t" + name + "\t\tRoute\t(" + Dms(lon) + "," +
              Dms(lat) + ")\t\t574 m\r\n";
      unsigned move = generator.Below(6);
      if (move < 3) {
        dx = static_cast<long>(generator.Below(2 * step + 1)) - static_cast<long>(step);
        dy = static_cast<long>(generator.Below(2 * step + 1)) - static_cast<long>(step);
      }
      if (move != 3) lon += dx, lat += dy;
    }
  }
  return text;
}

// Follow the route of input for a device of most locations; the passes it
// took in *passes.
FollowOutcome Follow(FaultyExport *input, int *passes, Count most = navmanN20Locations) {
  FILE *stream = OpenFaulty(input);
  if (!stream) return followReadFailed;
  StartReading(&reader, stream, "t.txt");
  FollowOutcome outcome = FollowRoute(&reader, most, &following);
  *passes = input->pass;
  fclose(stream);
  return outcome;
}

// The days of text as the program holds them, by the program's own reader.
std::vector<Day> DaysOf(const std::string &text) {
  std::vector<Day> days;
  FILE *stream = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  StartReading(&reader, stream, "t.txt");
  static Row row;
  RouteWalk walk = walkStart;
  int read = rowRead;
  while (read == rowRead) {
    read = ReadLine(&reader, &row);
    SplitRow(&row);
    RoutePoint point;
    WalkStep step = WalkRow(&walk, row, &point);
    if (step == stepPoint) {
      if (walk.ordinal == 0) {
        days.emplace_back();
        StartDay(&days.back());
      }
      AddToDay(&days.back(), point);
    }
  }
  fclose(stream);
  for (Day &day : days)
    EndDay(&day);
  return days;
}

// The deviation from day of the choice of k held for result, by the oracle.
double DeviationOf(const Day &day, const DayResult &result, size_t k) {
  return OracleChoiceKm(day, result.choices.index[k], result.choices.size[k]);
}

// For the NAVMAN N20's 14 locations and for devices that take fewer.
TEST(Follow, WholeTourAndEachDayWithinOnePercent) {
  const Count counts[] = {14, 3, 7, 10};
  for (int trial = 0; trial < 300; trial++) {
    SCOPED_TRACE(trial);
    const Count most = counts[trial % 4];
    const size_t k = static_cast<size_t>(most);
    int nrDays = 1 + static_cast<int>(generator.Below(trial % 10 == 0 ? 16 : 6));
    FaultyExport input = {RandomExport(nrDays), 0, 0, 0, 0};
    int passes;
    ASSERT_EQ(Follow(&input, &passes, most), followChosen);
    std::vector<Day> days = DaysOf(input.text);
    ASSERT_EQ(following.nrDays, static_cast<Count>(days.size()));
    // A tour of several days in one file is read twice, to share out its
    // locations.
    EXPECT_EQ(passes, nrDays >= 2 && nrDays <= most ? 2 : 1);
    std::vector<std::vector<double>> least;
    double endsAlone = 0;
    for (size_t d = 0; d < days.size(); d++) {
      least.push_back(LeastDeviations(days[d], k));
      endsAlone = std::max(endsAlone, least.back()[1]);
      const DayResult &result = following.day[d];
      size_t own = result.ownCount;
      ASSERT_EQ(result.choices.index[own][result.choices.size[own] - 1], days[d].n - 1);
      EXPECT_TRUE(SameKm(OwnDeviation(following, static_cast<Count>(d + 1)),
                         DeviationOf(days[d], result, own)));
      EXPECT_TRUE(WithinBound(OwnDeviation(following, static_cast<Count>(d + 1)), least[d][k]));
    }
    // Beyond the device's count, up to 99 days, the whole tour's file is
    // day 1's own; beyond them, each day's end alone.
    if (nrDays > most) {
      EXPECT_TRUE(SameKm(following.tripDeviation,
                         nrDays <= maxDayFiles ? OwnDeviation(following, 1) : endsAlone));
      continue;
    }
    size_t total = 0;
    double largest = 0;
    for (size_t d = 0; d < days.size(); d++) {
      const DayResult &result = following.day[d];
      ASSERT_GE(result.tripCount, 1);
      total += result.tripCount;
      largest = std::max(largest, DeviationOf(days[d], result, result.tripCount));
    }
    EXPECT_LE(total, k);
    EXPECT_TRUE(SameKm(following.tripDeviation, largest));
    double best = LeastSplit(least, k);
    EXPECT_TRUE(WithinBound(largest, best)) << largest << " against " << best;
  }
}

// A thinned day holds one route point in two: a detour at a point left out
// is still what the figures tell, found in one read more.
TEST(Follow, DetourOnAThinnedDayIsTold) {
  // 10,002 points 0.001 degree apart along the equator, point 5,001 a
  // detour 0.49464 degree (55 km) north.
  const long step = 36, detour = 17807;
  std::string text;
  for (long i = 0; i < 10002; i++)
    text += "1\t" + std::to_string(i) + "\t0:00\t\t\tRoute\t(" + Dms(i * step) + "," +
            Dms(i == 5001 ? detour : 0) + ")\t\t574 m\r\n";
  FaultyExport input = {text, 0, 0, 0, 0};
  int passes;
  ASSERT_EQ(Follow(&input, &passes), followChosen);
  ASSERT_EQ(following.nrThinned, 1);
  EXPECT_EQ(passes, 2);
  // The equator is a great circle: the detour's distance from the road is
  // its latitude along the meridian, 0.49464 degree as read.
  double km = oracleRadiusKm * 0.49464 * M_PI / 180;
  EXPECT_NEAR(OwnDeviation(following, 1), km, 1e-6);
  EXPECT_NEAR(following.tripDeviation, km, 1e-6);
}

TEST(Follow, ReadErrorInEitherPassFails) {
  for (int pass = 1; pass <= 2; pass++) {
    FaultyExport input = {RandomExport(3), pass, 1, 0, 0};
    int passes;
    EXPECT_EQ(Follow(&input, &passes), followReadFailed) << pass;
  }
}

} // namespace
