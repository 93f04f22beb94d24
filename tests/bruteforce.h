// The least deviation of a day's choices by brute force: dynamic programming
// over every piece, each measured point by point by the oracle.
#ifndef BRUTEFORCE_H
#define BRUTEFORCE_H

#include "choice/choice.h"
#include "greatcircle.h"

#include <algorithm>
#include <cmath>
#include <vector>

// The least deviation of any choice of at most k of day's held points, for
// k = 0 (infinite) to most.
inline std::vector<double> LeastDeviations(const Day &day, size_t most = mostLocations) {
  size_t n = day.n;
  std::vector<double> best(most + 1, 0);
  best[0] = INFINITY;
  if (n == 1) return best;
  std::vector<std::vector<double>> cost(n, std::vector<double>(n, 0));
  for (size_t a = 0; a < n; a++)
    for (size_t b = a + 1; b < n; b++)
      cost[a][b] = OraclePieceKm(day, a, b);
  // reach[b]: the least largest deviation of at most j pieces from the start to b.
  std::vector<double> reach(n, INFINITY);
  reach[0] = 0;
  for (size_t j = 1; j <= most; j++) {
    std::vector<double> next(reach);
    for (size_t b = 1; b < n; b++)
      for (size_t a = 0; a < b; a++)
        next[b] = std::min(next[b], std::max(reach[a], cost[a][b]));
    reach = next;
    best[j] = reach[n - 1];
  }
  return best;
}

// The least largest deviation of any split of most locations over days,
// each day at least one, by its least deviations.
inline double LeastSplit(const std::vector<std::vector<double>> &least, size_t most) {
  size_t nrDays = least.size();
  // best[t]: the least largest deviation of the days so far with t locations.
  std::vector<double> best(most + 1, 0);
  for (size_t d = 0; d < nrDays; d++) {
    std::vector<double> next(most + 1, INFINITY);
    for (size_t t = 0; t <= most; t++)
      for (size_t k = 1; t + k <= most; k++)
        next[t + k] = std::min(next[t + k], std::max(best[t], least[d][k]));
    best = next;
  }
  return *std::min_element(best.begin(), best.end());
}

// Whether found is within 1 % (plus 0.01 km) of least, as far as the
// oracle's rounding tells.
inline bool WithinBound(double found, double least) {
  return found <= 1.01 * least + 0.01 + 1e-6;
}

#endif
