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
  FILE *stream = OpenRegularFile(settings.exportName);
  if (!stream) return false;
  // One pass at a time: the reader's block and row are used up in each.
  static ExportReader reader;
  static Row row;
  StartReading(&reader, stream, settings.exportName);

  Thinning thinning[nrSearches];
  std::fill(std::begin(thinning), std::end(thinning), tourStart);
  if (largest) *largest = -INFINITY;
  int read = rowRead;
  while (read == rowRead) {
    read = ReadLine(&reader, &row);
    if (read == readFailed) break;
    SplitRouteColumns(&row);
    RouteRow route = RouteRowOf(row);
    if (largest && route.hasKm && route.km > *largest) *largest = route.km;
    bool counting = n == 0;
    for (size_t i = 0; i < n; i++) {
      trials[i].locations += ThinRow(&thinning[i], route, trials[i].first, trials[i].next);
      counting |= trials[i].locations <= maxLocations;
    }
    // Past the limit, a count has decided what it is for.
    if (!counting) break;
  }
  fclose(stream);
  return read != readFailed;
}

// A search for the smallest whole km d in [lo, hi] whose tour has at most
// 14 locations, by bisection. The count mostly falls as d grows, but not
// everywhere: where it rises again, bisection still ends on one d whose
// count is at most 14, if not always the smallest.
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
  // A d that no route row reaches, whichever the search: with the first
  // distance d the taking never starts, and with the first 0 no route row
  // lies d beyond the start's last location, so that only the day starts
  // are taken. That is the largest distance rounded down, less the start's
  // last location, plus 1; at least 1. Rounded by hand: floor would bring
  // in the maths library, and its memory, for this one number.
  constexpr long beyondStart = 1 - static_cast<long>(startLastKm);
  double capped = std::min(static_cast<double>(largest), 40000.0);
  long hi = 1;
  if (capped > -beyondStart) {
    long whole = static_cast<long>(capped);
    if (static_cast<double>(whole) > capped) whole--;
    hi = std::max(whole + beyondStart, 1L);
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
    return fitWithinLimit;
  }
  if (zeroFirst.atHi >= 1) {
    *first = 0;
    *next = static_cast<float>(zeroFirst.hi);
    *locations = zeroFirst.atHi;
    return zeroFirst.atHi <= maxLocations ? fitWithinLimit : fitFewest;
  }
  return fitKeptDefaults;
}
