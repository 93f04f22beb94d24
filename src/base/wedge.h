// Wedges of directions in a plane: from an apex, the rays that pass within a
// distance of every point seen so far. Narrowed point by point, a wedge
// tells at once whether a straight piece from the apex keeps within that
// distance of all the points it passes: the test of a piece in the choice
// of locations (Chan and Chin) and of a step of the picture's route line.
#ifndef WEDGE_H
#define WEDGE_H

#include <cmath>

// The directions from the apex within a wedge, from l round to r counter-
// clockwise, less than half a turn; or all of them.
struct Wedge {
  double lx, ly, rx, ry;
  bool full;
  bool empty;
};

constexpr Wedge fullWedge = {0, 0, 0, 0, true, false};

// Whether u lies counterclockwise from a, by less than half a turn.
inline bool Ahead(double ax, double ay, double ux, double uy) {
  return ax * uy - ay * ux >= 0;
}

inline bool Between(double lx, double ly, double rx, double ry, double ux, double uy) {
  return Ahead(lx, ly, ux, uy) && Ahead(ux, uy, rx, ry);
}

// Whether the direction u lies in w. The null direction does only where
// every point is within reach of the apex itself.
inline bool Holds(const Wedge &w, double ux, double uy) {
  if (w.full) return true;
  if (ux == 0 && uy == 0) return false;
  return Between(w.lx, w.ly, w.rx, w.ry, ux, uy);
}

// Narrow w to the rays from the apex that pass within eps of the point at v
// from it: the wedge of the two tangents to the circle of eps round it.
// Return false, leaving w as it is, for a point within eps of the apex,
// which every ray passes.
inline bool Narrow(Wedge *w, double vx, double vy, double eps) {
  double d2 = vx * vx + vy * vy, eps2 = eps * eps;
  if (d2 <= eps2) return false;
  double t = std::sqrt(d2 - eps2);
  double lx = t * vx + eps * vy, ly = t * vy - eps * vx;
  double rx = t * vx - eps * vy, ry = t * vy + eps * vx;
  if (w->full) {
    *w = {lx, ly, rx, ry, false, false};
    return true;
  }
  bool lInside = Between(w->lx, w->ly, w->rx, w->ry, lx, ly);
  bool rInside = Between(w->lx, w->ly, w->rx, w->ry, rx, ry);
  if (!lInside && !Between(lx, ly, rx, ry, w->lx, w->ly)) w->empty = true;
  if (!rInside && !Between(lx, ly, rx, ry, w->rx, w->ry)) w->empty = true;
  if (w->empty) return true;
  if (lInside) w->lx = lx, w->ly = ly;
  if (rInside) w->rx = rx, w->ry = ry;
  return true;
}

#endif
