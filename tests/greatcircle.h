// Great-circle distances worked out as a navigator does, from the haversine,
// bearings and the along-track angle, with the C library's trigonometry: an
// oracle that shares nothing with the program's vectors and series.
#ifndef GREATCIRCLE_H
#define GREATCIRCLE_H

#include "input/route.h"

#include <algorithm>
#include <cmath>

constexpr double oracleRadiusKm = 6371;

inline double OracleRadians(int32_t units) {
  return units / 1e5 * (M_PI / 180);
}

// The angle between two positions, by the haversine.
inline double OracleAngle(RoutePoint a, RoutePoint b) {
  double fa = OracleRadians(a.latitude), fb = OracleRadians(b.latitude);
  double dl = OracleRadians(b.longitude) - OracleRadians(a.longitude);
  double h = std::pow(std::sin((fb - fa) / 2), 2) +
             std::cos(fa) * std::cos(fb) * std::pow(std::sin(dl / 2), 2);
  return 2 * std::asin(std::sqrt(std::min(h, 1.0)));
}

inline double OracleKm(RoutePoint a, RoutePoint b) {
  return oracleRadiusKm * OracleAngle(a, b);
}

// The initial bearing from a to b.
inline double OracleBearing(RoutePoint a, RoutePoint b) {
  double fa = OracleRadians(a.latitude), fb = OracleRadians(b.latitude);
  double dl = OracleRadians(b.longitude) - OracleRadians(a.longitude);
  return std::atan2(std::sin(dl) * std::cos(fb),
                    std::cos(fa) * std::sin(fb) - std::sin(fa) * std::cos(fb) * std::cos(dl));
}

// The distance in km of p from the shorter great-circle arc between a and b:
// across the track where p's foot lies along it, else to the nearer end.
// Ends less than 1 km from antipodal are measured by the ends alone.
inline double OracleArcKm(RoutePoint a, RoutePoint b, RoutePoint p) {
  double ends = std::min(OracleKm(a, p), OracleKm(b, p));
  double ab = OracleAngle(a, b);
  if (ab == 0 || oracleRadiusKm * (M_PI - ab) < 1) return ends;
  double ap = OracleAngle(a, p);
  double turn = OracleBearing(a, p) - OracleBearing(a, b);
  double across = std::asin(std::sin(ap) * std::sin(turn));
  double along = std::atan2(std::sin(ap) * std::cos(turn), std::cos(ap));
  if (along < 0 || along > ab) return ends;
  return std::min(ends, oracleRadiusKm * std::fabs(across));
}

// The largest distance of day's held points strictly between a and b from
// the piece between them.
inline double OraclePieceKm(const Day &day, size_t a, size_t b) {
  double largest = 0;
  for (size_t i = a + 1; i < b; i++)
    largest = std::max(largest, OracleArcKm(day.point[a], day.point[b], day.point[i]));
  return largest;
}

// The same for a choice: pieces from the start through index[0..k-1].
inline double OracleChoiceKm(const Day &day, const uint16_t *index, size_t k) {
  double largest = 0;
  size_t from = 0;
  for (size_t i = 0; i < k; i++) {
    largest = std::max(largest, OraclePieceKm(day, from, index[i]));
    from = index[i];
  }
  return largest;
}

// Whether the program's km and the oracle's agree to their rounding.
inline bool SameKm(double program, double oracle) {
  return std::fabs(program - oracle) <= 1e-6 * oracle + 1e-6;
}

#endif
