// The deviation of a choice from the route. A distance is worked out from
// the differences of positions in whole units of 1/100000 degree, exact in
// 64 bits, so that route points in line give exactly 0, and a straight road
// is told as one.
#include "choice/deviation.h"

#include <cmath>

double Cosine(double degrees) {
  constexpr double radiansPerDegree = 3.14159265358979323846 / 180;
  double r = degrees * radiansPerDegree;
  double r2 = r * r;
  // cos r = 1 - r^2/(2*1) * (1 - r^2/(4*3) * (1 - ...)), up to the term in
  // r^22: the next one is below 1e-17 for |r| <= pi/2.
  double sum = 1;
  for (int j = 11; j >= 1; j--)
    sum = 1 - sum * r2 / ((2.0 * j) * (2.0 * j - 1));
  return sum;
}

void ProjectDay(const Day &day, Plane *plane) {
  int64_t sum = 0;
  for (size_t i = 0; i < day.n; i++)
    sum += day.point[i].latitude;
  double meanDegrees = static_cast<double>(sum) / static_cast<double>(day.n) / 1e5;
  plane->ky = kmPerDegree / 1e5;
  plane->kx = Cosine(meanDegrees) * plane->ky;
  const RoutePoint &start = day.point[0];
  for (size_t i = 0; i < day.n; i++) {
    plane->x[i] = (day.point[i].longitude - start.longitude) * plane->kx;
    plane->y[i] = (day.point[i].latitude - start.latitude) * plane->ky;
  }
}

// The square of the distance in km of the point at p from the piece of line
// between a and b, all in units.
static double SquaredDistance(const Plane &plane, RoutePoint a, RoutePoint b, RoutePoint p) {
  double kx2 = plane.kx * plane.kx, ky2 = plane.ky * plane.ky;
  int64_t abx = int64_t{b.longitude} - a.longitude, aby = int64_t{b.latitude} - a.latitude;
  int64_t apx = int64_t{p.longitude} - a.longitude, apy = int64_t{p.latitude} - a.latitude;
  double length2 = kx2 * static_cast<double>(abx * abx) + ky2 * static_cast<double>(aby * aby);
  double along = kx2 * static_cast<double>(apx * abx) + ky2 * static_cast<double>(apy * aby);
  if (along <= 0)
    return kx2 * static_cast<double>(apx * apx) + ky2 * static_cast<double>(apy * apy);
  if (along >= length2) {
    int64_t bpx = int64_t{p.longitude} - b.longitude, bpy = int64_t{p.latitude} - b.latitude;
    return kx2 * static_cast<double>(bpx * bpx) + ky2 * static_cast<double>(bpy * bpy);
  }
  double across = static_cast<double>(apx * aby - apy * abx) * (plane.kx * plane.ky);
  return across * across / length2;
}

double PieceDeviation(const Day &day, const Plane &plane, size_t a, size_t b, size_t *farthest) {
  double largest = 0;
  size_t at = a;
  for (size_t i = a + 1; i < b; i++) {
    double d2 = SquaredDistance(plane, day.point[a], day.point[b], day.point[i]);
    if (d2 > largest) {
      largest = d2;
      at = i;
    }
  }
  if (farthest) *farthest = at;
  return std::sqrt(largest);
}

double ChoiceDeviation(const Day &day, const Plane &plane, const uint16_t *index, size_t k) {
  double largest = 0;
  size_t from = 0;
  for (size_t i = 0; i < k; i++) {
    double d = PieceDeviation(day, plane, from, index[i]);
    if (d > largest) largest = d;
    from = index[i];
  }
  return largest;
}
