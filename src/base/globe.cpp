// The globe. The series below are summed in a fixed order with a fixed
// number of terms, each far enough that the next term is below the last
// place: no platform's maths library is asked.
#include "base/globe.h"

#include <algorithm>
#include <cmath>

// The sine and cosine of r, 0 up to pi/4, by their Taylor series, the last
// terms those in r^21 and r^20: the next ones are below 1e-20.
// Kept out of line: the loops of a pass are built with every call in them
// (flatten), and these series, called once a point, would be copied into
// each.
[[gnu::noinline]] static void SeriesSineCosine(double r, double *sine, double *cosine) {
  double r2 = r * r;
  double s = 1, c = 1;
  for (int j = 10; j >= 1; j--) {
    s = 1 - s * r2 / ((2.0 * j) * (2.0 * j + 1));
    c = 1 - c * r2 / ((2.0 * j) * (2.0 * j - 1));
  }
  *sine = r * s;
  *cosine = c;
}

void SineCosine(int64_t units, double *sine, double *cosine) {
  constexpr int64_t quarter = 90 * unitsPerDegree;
  int64_t turn = 4 * quarter;
  int64_t u = units % turn;
  if (u < 0) u += turn;
  int64_t quadrant = u / quarter, within = u % quarter;
  // Past half a quadrant, the other function of what is left to it: the
  // series then never goes beyond pi/4.
  double s, c;
  if (2 * within <= quarter) {
    SeriesSineCosine(static_cast<double>(within) * (pi / 180 / unitsPerDegree), &s, &c);
  } else {
    SeriesSineCosine(static_cast<double>(quarter - within) * (pi / 180 / unitsPerDegree), &c, &s);
  }
  switch (quadrant) {
  case 0: *sine = s, *cosine = c; break;
  case 1: *sine = c, *cosine = -s; break;
  case 2: *sine = -s, *cosine = -c; break;
  default: *sine = -c, *cosine = s; break;
  }
}

double Sine(double radians) {
  double s, c;
  if (radians <= pi / 4) {
    SeriesSineCosine(radians, &s, &c);
    return s;
  }
  SeriesSineCosine(pi / 2 - radians, &s, &c);
  return c;
}

// The arc sine of x, 0 up to 1/2, by its series: the term in x^(2n+1) is
// below 1e-18 of the first from n = 28 on.
[[gnu::noinline]] static double SeriesArcSine(double x) {
  double x2 = x * x, term = x, sum = x;
  for (int n = 0; n < 30; n++) {
    term *= x2 * (2.0 * n + 1) * (2.0 * n + 1) / ((2.0 * n + 2) * (2.0 * n + 3));
    sum += term;
  }
  return sum;
}

double ArcSine(double x) {
  if (x <= 0.5) return SeriesArcSine(x);
  // asin x = pi/2 - 2 asin sqrt((1 - x) / 2), whose argument is at most 1/2.
  return pi / 2 - 2 * SeriesArcSine(std::sqrt((1 - std::min(x, 1.0)) / 2));
}

Vector OnGlobe(int32_t longitude, int32_t latitude) {
  return ApexOf(longitude, latitude).at;
}

Apex ApexOf(int32_t longitude, int32_t latitude) {
  double sinLon, cosLon, sinLat, cosLat;
  SineCosine(longitude, &sinLon, &cosLon);
  SineCosine(latitude, &sinLat, &cosLat);
  return {{cosLat * cosLon, cosLat * sinLon, sinLat}, -sinLon, cosLon};
}

double ChordKm(double chord2) {
  double half = std::sqrt(chord2) / 2;
  return 2 * earthRadiusKm * ArcSine(std::min(half, 1.0));
}

// The square of the chord between unit vectors p and q, from their
// difference: exact also where they are metres apart.
static double Chord2(Vector p, Vector q) {
  Vector d = {p.x - q.x, p.y - q.y, p.z - q.z};
  return Dot(d, d);
}

double ChordToArc(Vector a, Vector b, Vector p) {
  double toEnds = std::min(Chord2(p, a), Chord2(p, b));
  Vector n = Cross(a, b);
  double nn = Dot(n, n);
  // Ends that coincide, or lie too near antipodal for their great circle to
  // be known: the ends alone.
  if (nn == 0 || Chord2(a, {-b.x, -b.y, -b.z}) < antipodalChord2) return toEnds;
  // p's nearest point of the great circle lies on the arc when p is on b's
  // side of a and on a's side of b.
  double ab = Dot(a, b), pa = Dot(p, a), pb = Dot(p, b);
  if (pb - ab * pa < 0 || pa - ab * pb < 0) return toEnds;
  // The sine of p's distance from the circle's plane, from p - a: the
  // rounding of n then counts for nothing on a short piece.
  Vector ap = {p.x - a.x, p.y - a.y, p.z - a.z};
  double s = Dot(ap, n);
  double s2 = std::min(s * s / nn, 1.0);
  // chord^2 = 2 - 2 cos = 2 sin^2 / (1 + cos), without the cancellation.
  return std::min(toEnds, 2 * s2 / (1 + std::sqrt(1 - s2)));
}
