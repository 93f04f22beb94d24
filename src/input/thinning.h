// Thinning the route out by distance: which route rows of the export become
// locations of the tour. The tour writer and the fit of the distances both
// ask here, so that a fit counts exactly the locations a run writes.
#ifndef THINNING_H
#define THINNING_H

#include "input/reader.h"

// The locations a NAVMAN N20 takes in one multi-stop tour: a run's count of
// locations, which the choice, the question, the fit and the reports are
// given.
constexpr Count navmanN20Locations = 14;

// The most locations of one tour that the program holds for any device: the
// arrays that hold a tour's or a day's locations are sized by it.
constexpr size_t mostLocations = 14;
static_assert(navmanN20Locations <= static_cast<Count>(mostLocations));

// Where a tour's last location lies, in km, before any is taken: 100 km
// before the start, so that with a next distance of up to 100 km the first
// route row after the first distance is taken at once, and with a longer one
// the first at the next distance less 100 km.
constexpr float startLastKm = -100;

// A row as the thinning sees it.
struct RouteRow {
  bool hasKm;     // the distance reads as a number: a route row
  float km;       // that number; NaN when infinite or the row's position did not convert
  bool separator; // no distance and no name: an empty line between two days
};

// Where the thinning of one tour stands.
struct Thinning {
  bool taking;  // false until a route row has reached the first distance
  float lastKm; // the distance of the last location taken
};

// Before the first row.
constexpr Thinning tourStart = {false, startLastKm};

// Return row, split, as the thinning sees it.
RouteRow RouteRowOf(const Row &row);

// Pass row through the thinning with the distances first and next. Return
// true when the row becomes a location.
bool ThinRow(Thinning *thinning, const RouteRow &row, float first, float next);

#endif
