// Thinning the route out by distance. Nothing is taken until a route row has
// reached the first distance (that row itself is not taken); from then on a
// route row is taken when it lies the next distance beyond the last one
// taken, and an empty line starts the next day's route, whose distances start
// again at 0, with a location of its own.
#include "input/thinning.h"

#include "base/distance.h"

#include <cmath>
#include <limits>

RouteRow RouteRowOf(const Row &row) {
  RouteRow route = {false, 0, false};
  if (row.columnLength[kmColumn] != 0) {
    // A distance that is no number makes the row neither a route row nor a
    // separator: it is ignored.
    route.hasKm = ReadKm(row.column[kmColumn], &route.km);
    // An infinite distance would end the day, since nothing after it lies
    // further; a location without a position would lead nowhere. Either
    // row is never taken and changes nothing, as a NaN.
    if (route.hasKm && (std::isinf(route.km) || !row.positionsConverted))
      route.km = std::numeric_limits<float>::quiet_NaN();
  } else {
    route.separator = row.columnLength[nameColumn] == 0;
  }
  return route;
}

bool ThinRow(Thinning *thinning, const RouteRow &row, float first, float next) {
  if (!thinning->taking) {
    // Separators and POIs change nothing before the taking starts.
    if (row.hasKm && row.km >= first) thinning->taking = true;
    return false;
  }
  if (row.separator) {
    // The next route row, at 0 km or more, is taken.
    thinning->lastKm = -next;
    return false;
  }
  // The sum is formed in double, so that the threshold is exact. A NaN is
  // never taken.
  if (row.hasKm && row.km >= static_cast<double>(thinning->lastKm) + next) {
    thinning->lastKm = row.km;
    return true;
  }
  return false;
}
