// The route points of the export, day by day. A route row counts as a route
// point only where its position is a place on the globe; a separator, an
// empty line of the export, ends a day, and a day without a route point is
// no day at all.
#include "input/route.h"

#include "input/thinning.h"

#include <cmath>

// Read the n characters of fraction digits in text, an optional "-" and any
// degree digits before five fraction digits, into *units, where the value
// lies within limit (below it, or up to it when upTo). Return false for any
// other text.
static bool ReadUnits(const char *text, size_t n, int32_t limit, bool upTo, int32_t *units) {
  bool negative = n > 0 && text[0] == '-';
  size_t i = negative ? 1 : 0;
  if (n < i + 5) return false;
  int64_t value = 0;
  for (; i < n; i++) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
    // Leading zeros may be many; the value never grows past the limit.
    if (value > limit) return false;
  }
  if (negative) value = -value;
  if (value > limit || (!upTo && value == limit) || value < -static_cast<int64_t>(limit))
    return false;
  *units = static_cast<int32_t>(value);
  return true;
}

bool IsPoiRow(const Row &row) {
  // A point of interest has a name and a position but no route distance.
  return row.columnLength[kmColumn] == 0 && row.columnLength[nameColumn] > 0 &&
         row.columnLength[longitudeColumn] > 0 && row.columnLength[latitudeColumn] > 0;
}

bool PositionOnGlobe(const Row &row, RoutePoint *point) {
  return ReadUnits(row.column[longitudeColumn], row.columnLength[longitudeColumn], 18000000, false,
                   &point->longitude) &&
         ReadUnits(row.column[latitudeColumn], row.columnLength[latitudeColumn], 9000000, true,
                   &point->latitude);
}

WalkStep WalkRow(RouteWalk *walk, const Row &row, RoutePoint *point) {
  return WalkRouteRow(walk, RouteRowOf(row), row, point);
}

WalkStep WalkRouteRow(RouteWalk *walk, const RouteRow &route, const Row &row, RoutePoint *point) {
  if (route.separator) {
    if (!walk->inDay) return stepOther;
    walk->inDay = false;
    return stepDayEnd;
  }
  // A NaN: an infinite distance, or a position that did not convert.
  if (!route.hasKm || std::isnan(route.km)) return stepOther;
  if (!PositionOnGlobe(row, point)) return stepOther;
  if (!walk->inDay) {
    if (walk->day == walk->lastDay) return stepOther;
    walk->inDay = true;
    walk->day++;
    walk->ordinal = -1;
  }
  walk->ordinal++;
  return stepPoint;
}

RouteWalk WalkUpTo(Count lastDay) {
  RouteWalk walk = walkStart;
  walk.lastDay = lastDay;
  return walk;
}

void StartDay(Day *day) {
  day->n = 0;
  day->nrPoints = 0;
  day->stride = 1;
}

void AddToDay(Day *day, RoutePoint point) {
  Count ordinal = day->nrPoints++;
  day->last = point;
  if (ordinal % day->stride != 0) return;
  if (day->n == maxDayPoints) {
    // Every second point held stays: the held ones remain evenly spaced.
    for (size_t i = 0; 2 * i < day->n; i++)
      day->point[i] = day->point[2 * i];
    day->n = (day->n + 1) / 2;
    day->stride *= 2;
    if (ordinal % day->stride != 0) return;
  }
  day->point[day->n++] = point;
}

void EndDay(Day *day) {
  if (day->nrPoints > 0 && (day->nrPoints - 1) % day->stride != 0) day->point[day->n++] = day->last;
}
