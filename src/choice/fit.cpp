// Fitting the distances. Each pair of distances tried is counted by reading
// the export and passing every row through the thinning, exactly as a run
// with that pair would; no row is kept, so any size of export fits in the
// same memory. Two searches run side by side, one pair of distances each in
// every pass: both distances equal, which spreads the locations over the
// whole tour, and the first distance 0, which takes the start of every day
// at once, for tours of many days.
#include "choice/fit.h"

#include "input/place.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>

// The searches, and so the pairs of distances counted in one pass.
constexpr size_t nrSearches = 2;

// A pair of distances and the locations it gives, counted up to one past
// most, or with whole to the end of the export.
struct Trial {
  float first, next;
  Count locations;
  bool whole;
  Count most;
};

// Read the export once from its start: count each of the n trials and, where
// largest is given, find the largest route distance that is not NaN
// (-infinity: none). Return fitWithinLimit when the pass got through, or
// fitReadFailed, fitNotRewindable or fitChanged.
static FitOutcome ReadPass(ExportReader *reader, Trial *trials, size_t n, float *largest) {
  if (!RewindExport(reader)) return ExportReadFailed(*reader) ? fitReadFailed : fitNotRewindable;
  // One pass at a time: the row is used up in each.
  static Row row;
  Thinning thinning[nrSearches];
  std::fill(std::begin(thinning), std::end(thinning), tourStart);
  if (largest) *largest = -INFINITY;
  int read = rowRead;
  while (read == rowRead) {
    read = ReadRow(reader, &row);
    if (read == readFailed) return fitReadFailed;
    Place place;
    TakePlace(&row, nullptr, &place);
    const RouteRow &route = place.route;
    if (largest && route.hasKm && route.km > *largest) *largest = route.km;
    bool counting = n == 0;
    for (size_t i = 0; i < n; i++) {
      trials[i].locations += ThinRow(&thinning[i], route, trials[i].first, trials[i].next);
      counting |= trials[i].whole || trials[i].locations <= trials[i].most;
    }
    // Past the limit, a count has decided what it is for.
    if (!counting) break;
  }
  return ExportChanged(*reader) ? fitChanged : fitWithinLimit;
}

// The whole km a distance can be, in order, numbered from 1: each whole
// number up to 2^23 as itself, and from there on every float, all of them
// whole, by its bit pattern, which orders non-negative floats as their
// values; infinity last. So a search reaches any distance of any export.
constexpr uint32_t allWholeFrom = 1u << 23;

static uint32_t BitsOf(float km) {
  uint32_t bits;
  memcpy(&bits, &km, sizeof bits);
  return bits;
}

static float WholeKm(uint32_t number) {
  if (number <= allWholeFrom) return static_cast<float>(number);
  uint32_t bits = BitsOf(static_cast<float>(allWholeFrom)) + (number - allWholeFrom);
  float km;
  memcpy(&km, &bits, sizeof km);
  return km;
}

// The number of the smallest whole km above km; 1 for any km below 0.
static uint32_t NumberAbove(double km) {
  if (km < 0) return 1;
  // Past the largest float only infinity is left.
  if (km >= static_cast<double>(std::numeric_limits<float>::max()))
    return allWholeFrom + (BitsOf(INFINITY) - BitsOf(static_cast<float>(allWholeFrom)));
  // Cut towards zero, which for km >= 0 is rounding down: floor would bring
  // in the maths library, and its memory, for this one number.
  if (km < allWholeFrom) return static_cast<uint32_t>(km) + 1;
  float nearest = static_cast<float>(km);
  uint32_t number = allWholeFrom + (BitsOf(nearest) - BitsOf(static_cast<float>(allWholeFrom)));
  return static_cast<double>(nearest) > km ? number : number + 1;
}

// A search for the smallest whole km d, by number in [lo, hi], whose tour
// has at most the device's count of locations, by bisection. The count
// mostly falls as d grows, but not everywhere: where it rises again,
// bisection still ends on one d whose count is within it, if not always the
// smallest.
struct Search {
  bool zeroFirst;  // the first distance 0, else both distances d
  uint32_t lo, hi; // the numbers of the whole km still in question
  Count atHi;      // the locations at hi, -1 while not counted
};

// Take one step of each search that is not finished or, with resultsOnly,
// count each result that no step has counted (hi never moved), all in one
// pass over the export. Set *served to how many searches it served. Return
// fitWithinLimit, or why the export could not be read.
static FitOutcome Step(ExportReader *reader, Count most, Search (&searches)[nrSearches],
                       bool resultsOnly, size_t *served) {
  Trial trials[nrSearches];
  Search *of[nrSearches];
  uint32_t at[nrSearches];
  size_t n = 0;
  for (auto &search : searches) {
    if (resultsOnly ? search.atHi < 0 : search.lo < search.hi) {
      of[n] = &search;
      // Written so that it cannot wrap.
      at[n] = resultsOnly ? search.hi : search.lo + (search.hi - search.lo) / 2;
      float km = WholeKm(at[n]);
      trials[n++] = {search.zeroFirst ? 0 : km, km, 0, false, most};
    }
  }
  *served = n;
  if (n == 0) return fitWithinLimit;
  FitOutcome read = ReadPass(reader, trials, n, nullptr);
  if (read != fitWithinLimit) return read;
  for (size_t i = 0; i < n; i++) {
    if (resultsOnly || trials[i].locations <= most) {
      of[i]->hi = at[i];
      of[i]->atHi = trials[i].locations;
    } else {
      of[i]->lo = at[i] + 1;
    }
  }
  return fitWithinLimit;
}

Count CountLocations(ExportReader *reader, float first, float next) {
  Trial trial = {first, next, 0, true, 0};
  return ReadPass(reader, &trial, 1, nullptr) == fitWithinLimit ? trial.locations : -1;
}

FitOutcome FitDistances(ExportReader *reader, Count most, float *first, float *next,
                        Count *locations) {
  float largest;
  FitOutcome read = ReadPass(reader, nullptr, 0, &largest);
  if (read != fitWithinLimit) return read;
  if (largest == -INFINITY) return fitKeptDefaults;
  // A d that no route row reaches, whichever the search: with the first
  // distance d the taking never starts, and with the first 0 no route row
  // lies d beyond the start's last location, so that only the day starts
  // are taken.
  uint32_t hi = NumberAbove(static_cast<double>(largest) - static_cast<double>(startLastKm));
  Search searches[nrSearches] = {{false, 1, hi, -1}, {true, 1, hi, -1}};
  size_t served;
  do {
    read = Step(reader, most, searches, false, &served);
  } while (read == fitWithinLimit && served > 0);
  if (read == fitWithinLimit) read = Step(reader, most, searches, true, &served);
  if (read != fitWithinLimit) return read;

  const Search &equal = searches[0], &zeroFirst = searches[1];
  if (equal.atHi >= 1 && equal.atHi <= most) {
    *first = *next = WholeKm(equal.hi);
    *locations = equal.atHi;
    return fitWithinLimit;
  }
  if (zeroFirst.atHi >= 1) {
    *first = 0;
    *next = WholeKm(zeroFirst.hi);
    *locations = zeroFirst.atHi;
    return zeroFirst.atHi <= most ? fitWithinLimit : fitFewest;
  }
  return fitKeptDefaults;
}
