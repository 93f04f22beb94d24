// Fitting the distances. Each pair of distances tried is counted by reading
// the export and passing every row through the thinning, exactly as a run
// with that pair would; no row is kept, so any size of export fits in the
// same memory. Two searches run side by side, one pair of distances each in
// every pass: both distances equal, which spreads the locations over the
// whole tour, and the first distance 0, which takes the start of every day
// at once, for tours of many days.
#include "fit.h"

#include "files.h"
#include "reader.h"
#include "settings.h"
#include "thinning.h"

#include <algorithm>
#include <cmath>
#include <iterator>

// The searches, and so the pairs of distances counted in one pass.
constexpr size_t nrSearches = 2;

// A pair of distances and the locations it gives, counted up to one past the
// device's limit.
struct Trial {
  float first, next;
  Count locations;
};

// Read the export once: count each of the n trials and, where largest is
// given, find the largest route distance that is not NaN (-infinity: none).
// Return false when the export cannot be read to its end.
static bool ReadPass(Trial *trials, size_t n, float *largest) {
  // Only a regular file can be read more than once; a file the run holds
  // open already (the console redirected into it) is not read at all.
  FILE *stream = OpenRegularFile(inMTP);
  if (!stream) return false;

  Thinning thinning[nrSearches];
  std::fill(std::begin(thinning), std::end(thinning), tourStart);
  if (largest) *largest = -INFINITY;
  StartRows();
  int read = rowRead;
  while (read == rowRead) {
    read = ReadRow(stream);
    if (read == readFailed) break;
    SplitRouteColumns();
    RouteRow row = ReadRouteRow();
    if (largest && row.hasKm && row.km > *largest) *largest = row.km;
    bool counting = n == 0;
    for (size_t i = 0; i < n; i++) {
      trials[i].locations += ThinRow(&thinning[i], row, trials[i].first, trials[i].next);
      counting |= trials[i].locations <= maxLocations;
    }
    // Past the limit, a count has decided what it is for.
    if (!counting) break;
  }
  StartRows();
  fclose(stream);
  return read != readFailed;
}

// A search for the smallest whole km d in [1, top] whose tour has at most
// 14 locations, by bisection, exactly so: on exports whose count rises with
// d somewhere it still finds the same d as every other implementation.
struct Search {
  bool zeroFirst; // the first distance 0, else both distances d
  long lo, hi;
  Count atHi; // the locations at hi, -1 while not counted
};

// Take one step of each search that is not finished or, with resultsOnly,
// count each result that no step has counted (hi never moved), all in one
// pass over the export. Return how many searches it served, or -1 when the
// export cannot be read.
static int Step(Search (&searches)[nrSearches], bool resultsOnly) {
  Trial trials[nrSearches];
  Search *served[nrSearches];
  long at[nrSearches];
  size_t n = 0;
  for (auto &search : searches) {
    if (resultsOnly ? search.atHi < 0 : search.lo < search.hi) {
      served[n] = &search;
      at[n] = resultsOnly ? search.hi : (search.lo + search.hi) / 2;
      float km = static_cast<float>(at[n]);
      trials[n++] = {search.zeroFirst ? 0 : km, km, 0};
    }
  }
  if (n > 0 && !ReadPass(trials, n, nullptr)) return -1;
  for (size_t i = 0; i < n; i++) {
    if (resultsOnly || trials[i].locations <= maxLocations) {
      served[i]->hi = at[i];
      served[i]->atHi = trials[i].locations;
    } else {
      served[i]->lo = at[i] + 1;
    }
  }
  return static_cast<int>(n);
}

Count CountLocations(float first, float next) {
  Trial trial = {first, next, 0};
  return ReadPass(&trial, 1, nullptr) ? trial.locations : -1;
}

FitOutcome FitDistances(float *first, float *next, Count *locations) {
  float largest;
  if (!ReadPass(nullptr, 0, &largest) || largest == -INFINITY) return fitKeptDefaults;
  // The largest distance rounded down and capped, plus 101 for the last
  // location's start at -100 km; at least 1. Rounded by hand: floor would
  // bring in the maths library, and its memory, for this one number.
  double capped = std::min(static_cast<double>(largest), 40000.0);
  long hi = 1;
  if (capped > -101) {
    long whole = static_cast<long>(capped);
    if (static_cast<double>(whole) > capped) whole--;
    hi = std::max(whole + 101, 1L);
  }
  Search searches[nrSearches] = {{false, 1, hi, -1}, {true, 1, hi, -1}};
  int served;
  while ((served = Step(searches, false)) > 0) {
  }
  if (served < 0 || Step(searches, true) < 0) return fitKeptDefaults;

  const Search &equal = searches[0], &zeroFirst = searches[1];
  if (equal.atHi >= 1 && equal.atHi <= maxLocations) {
    *first = *next = static_cast<float>(equal.hi);
    *locations = equal.atHi;
    return fitAtMost14;
  }
  if (zeroFirst.atHi >= 1) {
    *first = 0;
    *next = static_cast<float>(zeroFirst.hi);
    *locations = zeroFirst.atHi;
    return zeroFirst.atHi <= maxLocations ? fitAtMost14 : fitFewest;
  }
  return fitKeptDefaults;
}
