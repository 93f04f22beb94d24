// The choice of locations: for one day, the best choices found of 1 up to
// the device's count of locations, each with a bracket around the least deviation possible for that
// many; across the days of one tour file, how many locations each day gets.
// A bracket is narrow once its upper end, the deviation of the choice held,
// is within 1 % (plus 0.01 km) of its lower end, which no choice of that many
// locations goes below: the choice held is then that close to the best.
#ifndef CHOICE_H
#define CHOICE_H

#include "choice/deviation.h"
#include "input/thinning.h"

static_assert(mostLocations <= UINT8_MAX, "a choice's size fits its byte");

// The best choices found for one day, by their most locations k, 1 to most
// (for 0, none: an infinite deviation).
struct DayChoices {
  size_t most;                         // the device's count of locations
  double low[mostLocations + 1];       // no choice of k goes below low[k]
  double deviation[mostLocations + 1]; // the deviation of the choice of k held
  double top[mostLocations + 1];       // the search for k goes on below this
  uint8_t size[mostLocations + 1];     // locations in that choice: k or fewer
  uint16_t index[mostLocations + 1]
                [mostLocations]; // their held points' indices, the day's end last
};

// Whether the bracket for k in choices is narrow.
bool IsNarrow(const DayChoices &choices, size_t k);

// Start choices for day, placed on sphere, of 1 up to most locations
// (at most mostLocations), with quick choices: for k = 1 the day's end
// alone, exact; for more, the pieces split at the point farthest from them,
// again and again.
void FirstChoices(const Day &day, const Sphere &sphere, size_t most, DayChoices *choices);

// Narrow the brackets of choices for day for every k in [1, most] for which
// wanted(k, choices) holds, asking again after each step. Choices held only
// get better.
template <typename Wanted>
void NarrowChoices(const Day &day, const Sphere &sphere, DayChoices *choices, Wanted wanted);

// The fewest locations of choices whose deviation is no more than that of
// the choice held for the most.
size_t FewestForBest(const DayChoices &choices);

// Share out the days' count of locations (their most, the same for each)
// over the nrDays days of one tour file, at least one each, as count[d]: a split whose largest
// deviation, by the choices held, is the least possible; then each location left goes to the day
// whose deviation it lowers most, the earlier day on a tie. Return that largest deviation; with
// count nullptr, only that. With low in place of the deviations (byLow), return the least largest
// lower end, below which no split goes, and set no count.
double SplitLocations(const DayChoices *const *days, size_t nrDays, bool byLow, uint8_t *count);

// The fewest pieces, each within eps of the points it passes, that lead from
// sphere's first point to its last of n, as held points' indices in index
// (the last one n - 1), at most cap of them. Return their number, or cap + 1
// when cap are not enough.
size_t FewestPieces(const Sphere &sphere, size_t n, double eps, size_t cap, uint16_t *index);

// Look for the fewest locations within eps, and keep what that teaches
// about every k.
void TryDeviation(const Day &day, const Sphere &sphere, DayChoices *choices, double eps);

// One step of the narrowing for k: try a deviation inside its bracket, and
// keep what that teaches about every k.
void NarrowStep(const Day &day, const Sphere &sphere, DayChoices *choices, size_t k);

template <typename Wanted>
void NarrowChoices(const Day &day, const Sphere &sphere, DayChoices *choices, Wanted wanted) {
  // Each step halves a bracket's width in ratio at least; rounding in the
  // last place stops that after a few hundred steps at most.
  for (int step = 0; step < 2000; step++) {
    // The most locations first: those steps are quick, and each one that
    // finds no choice raises the lower ends for fewer.
    size_t k = choices->most;
    while (k > 0 && (IsNarrow(*choices, k) || !wanted(k, *choices)))
      k--;
    if (k == 0) return;
    NarrowStep(day, sphere, choices, k);
  }
}

#endif
