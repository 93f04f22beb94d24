// The route points of the export, day by day: which rows are route points,
// where each day begins and ends, and one day's points held for the choice
// of its locations, thinned when a day has more than fit in memory.
#ifndef ROUTE_H
#define ROUTE_H

#include "input/reader.h"
#include "input/thinning.h"

#include <cstdint>
#include <limits>

// Route points of one day held at a time: a longer day is thinned.
constexpr size_t maxDayPoints = 10000;

// A position in 1/100000 degree, as its fraction digits give it.
struct RoutePoint {
  int32_t longitude; // -18000000 up to 17999999
  int32_t latitude;  // -9000000 up to 9000000
};

// Where a walk through the export's rows stands.
struct RouteWalk {
  Count day;     // days begun, from 1; 0 before the first route point
  Count ordinal; // the last route point's number in its day, from 0
  bool inDay;    // a route point has come since the last day ended
  Count lastDay; // the last day walked: the rows of any later one are no route points
};

// Before the first row, for a walk through every day.
constexpr RouteWalk walkStart = {0, -1, false, std::numeric_limits<Count>::max()};

// Before the first row, for a walk through the first lastDay days alone: the
// days an earlier pass found, whatever the export holds by now.
RouteWalk WalkUpTo(Count lastDay);

// What one row is to the walk.
enum WalkStep {
  stepOther,  // no route point, and no day ends
  stepPoint,  // a route point: walk->day and walk->ordinal name it
  stepDayEnd, // a separator after a route point: walk->day has ended
};

// Whether row, split, is a point of interest.
bool IsPoiRow(const Row &row);

// Whether the position of row, split, is fraction digits of a place on the
// globe (an optional "-", then digits): fill *point from it.
bool PositionOnGlobe(const Row &row, RoutePoint *point);

// Take row, split, one step further: a route point fills *point.
WalkStep WalkRow(RouteWalk *walk, const Row &row, RoutePoint *point);

// The same for a row whose distance is known as route.
WalkStep WalkRouteRow(RouteWalk *walk, const RouteRow &route, const Row &row, RoutePoint *point);

// One day's route points as held: every stride-th of them, from the first,
// and always the last.
struct Day {
  RoutePoint point[maxDayPoints + 1]; // the points held, in route order
  size_t n;                           // points held
  Count nrPoints;                     // route points of the day
  Count stride;                       // one held in stride; 1 until thinned
  RoutePoint last;                    // the day's latest route point
};

// Start day with no point.
void StartDay(Day *day);

// Add the day's next route point to day, halving what day holds when full.
void AddToDay(Day *day, RoutePoint point);

// Hold the day's last point, once no point follows.
void EndDay(Day *day);

#endif
