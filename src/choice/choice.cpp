// The choice of locations. For a given deviation eps, the fewest pieces
// within it are a shortest path over the pieces that stay within eps of the
// points they pass (Imai and Iri); a piece is tested as Chan and Chin do:
// the points it passes must lie within eps of both rays along it, one from
// each end, and the directions from a point that keep all later points
// within eps form a wedge, narrowed point by point. On the globe a ray is
// half a great circle, and the directions are those of the plane touching
// the globe at the point, where the wedge is worked out as in a flat one. The least deviation for
// k locations is then bracketed: a deviation with no path of k pieces raises
// the bracket's lower end, a path found lowers its upper end to that path's
// own deviation.
#include "choice/choice.h"

#include "base/wedge.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// The brackets' stop: 1 % of the lower end, plus 0.01 km.
constexpr double slackRatio = 1.01;
constexpr double slackKm = 0.01;

bool IsNarrow(const DayChoices &choices, size_t k) {
  return choices.deviation[k] <= slackRatio * choices.low[k] + slackKm ||
         choices.top[k] <= choices.low[k];
}

// Hold the choice of size locations at index for k and for every larger
// count whose choice it beats.
static void Keep(DayChoices *choices, size_t k, const uint16_t *index, size_t size,
                 double deviation) {
  for (size_t j = k; j <= choices->most; j++) {
    if (deviation >= choices->deviation[j]) continue;
    choices->deviation[j] = deviation;
    choices->top[j] = std::min(choices->top[j], deviation);
    choices->size[j] = static_cast<uint8_t>(size);
    std::copy(index, index + size, choices->index[j]);
  }
}

// Note that no choice of fewer than k locations stays within eps.
static void Raise(DayChoices *choices, size_t k, double eps) {
  for (size_t j = 1; j < k && j <= choices->most; j++)
    choices->low[j] = std::max(choices->low[j], eps);
}

void FirstChoices(const Day &day, const Sphere &sphere, size_t most, DayChoices *choices) {
  choices->most = std::min(most, mostLocations);
  // No choice is of 0 locations.
  choices->low[0] = choices->deviation[0] = choices->top[0] = INFINITY;
  choices->size[0] = 0;
  for (size_t k = 1; k <= choices->most; k++) {
    choices->low[k] = 0;
    choices->deviation[k] = choices->top[k] = INFINITY;
  }
  size_t last = day.n - 1;
  // Split points and the pieces between them, in route order.
  uint16_t index[mostLocations] = {static_cast<uint16_t>(last)};
  double pieceDeviation[mostLocations];
  size_t pieceFarthest[mostLocations];
  pieceDeviation[0] = PieceDeviation(sphere, 0, last, &pieceFarthest[0]);
  // The end alone is the only choice of one location.
  choices->low[1] = pieceDeviation[0];
  Keep(choices, 1, index, 1, pieceDeviation[0]);
  for (size_t size = 1; size < choices->most; size++) {
    size_t worst = static_cast<size_t>(std::max_element(pieceDeviation, pieceDeviation + size) -
                                       pieceDeviation);
    // On a straight road no point lowers the deviation.
    if (pieceDeviation[worst] == 0) return;
    size_t from = worst == 0 ? 0 : index[worst - 1], to = index[worst];
    size_t at = pieceFarthest[worst];
    std::copy_backward(index + worst, index + size, index + size + 1);
    std::copy_backward(pieceDeviation + worst, pieceDeviation + size, pieceDeviation + size + 1);
    std::copy_backward(pieceFarthest + worst, pieceFarthest + size, pieceFarthest + size + 1);
    index[worst] = static_cast<uint16_t>(at);
    pieceDeviation[worst] = PieceDeviation(sphere, from, at, &pieceFarthest[worst]);
    pieceDeviation[worst + 1] = PieceDeviation(sphere, at, to, &pieceFarthest[worst + 1]);
    Keep(choices, size + 1, index, size + 1, ChoiceDeviation(sphere, index, size + 1));
  }
}

size_t FewestForBest(const DayChoices &choices) {
  size_t k = 1;
  while (choices.deviation[k] > choices.deviation[choices.most])
    k++;
  return k;
}

// The fewest locations of a day for the largest deviation limit, by its
// deviations (or lower ends); more than its most when none is within it.
static size_t Needed(const DayChoices &choices, bool byLow, double limit) {
  size_t k = 1;
  while (k <= choices.most && (byLow ? choices.low[k] : choices.deviation[k]) > limit)
    k++;
  return k;
}

double SplitLocations(const DayChoices *const *days, size_t nrDays, bool byLow, uint8_t *count) {
  size_t most = nrDays > 0 ? days[0]->most : 0;
  // The least limit that a split of most meets is one of the days' own
  // values.
  double best = INFINITY;
  for (size_t d = 0; d < nrDays; d++) {
    for (size_t k = 1; k <= most; k++) {
      double limit = byLow ? days[d]->low[k] : days[d]->deviation[k];
      if (limit >= best) continue;
      size_t total = 0;
      for (size_t e = 0; e < nrDays && total <= most; e++)
        total += Needed(*days[e], byLow, limit);
      if (total <= most) best = limit;
    }
  }
  if (byLow || !count) return best;
  size_t total = 0;
  for (size_t d = 0; d < nrDays; d++) {
    count[d] = static_cast<uint8_t>(Needed(*days[d], false, best));
    total += count[d];
  }
  for (; total < most; total++) {
    size_t lowers = nrDays;
    double largest = 0;
    for (size_t d = 0; d < nrDays; d++) {
      if (count[d] == most) continue;
      double drop = days[d]->deviation[count[d]] - days[d]->deviation[count[d] + 1];
      if (drop > largest) {
        largest = drop;
        lowers = d;
      }
    }
    if (lowers == nrDays) break;
    count[lowers]++;
  }
  return best;
}

// A wedge of the plane that touches the globe at a point, whose directions
// are the great circles through it, and whether a point was passed only by
// the far end of a half circle.
struct GlobeWedge {
  Wedge w;
  bool farEnd;
};

constexpr GlobeWedge fullGlobeWedge = {fullWedge, false};

// Narrow gw, at apex, to the half great circles from it that pass within
// eps of p, whose direction from apex is v and which lies sinEps = sin eps
// from such a half circle where |v x u| <= sinEps and v . u >= 0 for its
// direction u: the very wedge of tangents that a flat point at v and a
// circle of radius sinEps give. Within eps of either end, apex or its
// antipode, every half circle passes.
static inline void NarrowOnGlobe(GlobeWedge *gw, const Apex &apex, const Vector &p, double vx,
                                 double vy, double sinEps) {
  if (!Narrow(&gw->w, vx, vy, sinEps) && Dot(p, apex.at) < 0) gw->farEnd = true;
}

// The search's state for one deviation, for every held point.
static uint8_t fewest[maxDayPoints + 1];     // pieces to reach it from the start
static uint16_t previous[maxDayPoints + 1];  // the piece's start on that path
static GlobeWedge ahead[maxDayPoints + 1];   // its wedge over the points after it
static uint16_t aheadUpTo[maxDayPoints + 1]; // the first point not yet in that wedge

// Whether the piece from a to b, which both wedges take, is within eps. The
// wedges are exact where they hold, as in the plane, but on a globe two half
// circles also meet at their far ends, and a piece whose ends are nearly
// antipodal is measured by its ends: there the piece is measured.
static bool Within(const Sphere &sphere, size_t a, size_t b, bool farEnd, double eps) {
  Vector from = sphere.point[a].at, to = sphere.point[b].at;
  Vector opposite = {from.x + to.x, from.y + to.y, from.z + to.z};
  if (!farEnd && Dot(opposite, opposite) >= antipodalChord2) return true;
  return PieceDeviation(sphere, a, b) <= eps;
}

size_t FewestPieces(const Sphere &sphere, size_t n, double eps, size_t cap, uint16_t *index) {
  const Apex *apex = sphere.point;
  // Beyond a quarter of a great circle, every point is within eps of a half
  // circle's ends.
  double angle = eps / earthRadiusKm;
  double sinEps = angle >= pi / 2 ? 1 : Sine(angle);
  uint8_t unreached = static_cast<uint8_t>(cap + 1);
  fewest[0] = 0;
  ahead[0] = fullGlobeWedge;
  aheadUpTo[0] = 1;
  for (size_t b = 1; b < n; b++) {
    fewest[b] = unreached;
    // The wedge at b over the points between it and a, a going back.
    GlobeWedge behind = fullGlobeWedge;
    for (size_t a = b; a-- > 0;) {
      double vx, vy;
      Towards(apex[b], apex[a].at, &vx, &vy);
      if (fewest[a] + 1 < fewest[b] && Holds(behind.w, vx, vy)) {
        GlobeWedge *w = &ahead[a];
        size_t i = aheadUpTo[a];
        for (; i < b && !w->w.empty; i++) {
          double ux, uy;
          Towards(apex[a], apex[i].at, &ux, &uy);
          NarrowOnGlobe(w, apex[a], apex[i].at, ux, uy, sinEps);
        }
        aheadUpTo[a] = static_cast<uint16_t>(i);
        double ux, uy;
        Towards(apex[a], apex[b].at, &ux, &uy);
        if (!w->w.empty && Holds(w->w, ux, uy) &&
            Within(sphere, a, b, w->farEnd || behind.farEnd, eps)) {
          fewest[b] = static_cast<uint8_t>(fewest[a] + 1);
          previous[b] = static_cast<uint16_t>(a);
          // No path is shorter than one piece.
          if (fewest[b] == 1) break;
        }
      }
      NarrowOnGlobe(&behind, apex[b], apex[a].at, vx, vy, sinEps);
      if (behind.w.empty) break;
    }
    ahead[b] = fullGlobeWedge;
    aheadUpTo[b] = static_cast<uint16_t>(b + 1);
  }
  size_t pieces = fewest[n - 1];
  if (pieces > cap) return cap + 1;
  size_t at = n - 1;
  for (size_t i = pieces; i-- > 0;) {
    index[i] = static_cast<uint16_t>(at);
    at = previous[at];
  }
  return pieces;
}

void TryDeviation(const Day &day, const Sphere &sphere, DayChoices *choices, double eps) {
  uint16_t index[mostLocations];
  size_t pieces = FewestPieces(sphere, day.n, eps, choices->most, index);
  if (pieces <= choices->most) {
    for (size_t j = pieces; j <= choices->most; j++)
      choices->top[j] = std::min(choices->top[j], eps);
    Keep(choices, pieces, index, pieces, ChoiceDeviation(sphere, index, pieces));
  }
  // Rounding may let a wedge miss a path by a few units in the last place:
  // the lower end stays a little below what was tried.
  Raise(choices, pieces, eps * (1 - 1e-7) - 1e-12);
  // Fewer locations never do better than more.
  for (size_t j = choices->most; j-- > 1;)
    choices->low[j] = std::max(choices->low[j], choices->low[j + 1]);
}

void NarrowStep(const Day &day, const Sphere &sphere, DayChoices *choices, size_t k) {
  double low = choices->low[k], top = choices->top[k];
  // Halving the ratio; from 0, halving the deviation.
  double eps = low > 0 ? std::sqrt(low * top) : top / 2;
  if (!(eps > low && eps < top)) eps = low + (top - low) / 2;
  TryDeviation(day, sphere, choices, eps);
}
