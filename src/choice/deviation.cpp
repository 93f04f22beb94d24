// The deviation of a choice from the route. The largest distance of a
// piece is found by its squared chord, which grows with it, and turned into
// km once.
#include "choice/deviation.h"

void PlaceDay(const Day &day, Sphere *sphere) {
  for (size_t i = 0; i < day.n; i++)
    sphere->point[i] = ApexOf(day.point[i].longitude, day.point[i].latitude);
}

double DeviationKm(double chord2) {
  // Positions are known to a metre; the arithmetic is good to well below a
  // nanometre: a road along a great circle is told as straight.
  constexpr double roundingKm = 1e-9;
  double km = ChordKm(chord2);
  return km < roundingKm ? 0 : km;
}

double PieceDeviation(const Sphere &sphere, size_t a, size_t b, size_t *farthest) {
  double largest = 0;
  size_t at = a;
  Vector from = sphere.point[a].at, to = sphere.point[b].at;
  for (size_t i = a + 1; i < b; i++) {
    double chord2 = ChordToArc(from, to, sphere.point[i].at);
    if (chord2 > largest) {
      largest = chord2;
      at = i;
    }
  }
  double km = DeviationKm(largest);
  if (farthest) *farthest = km > 0 ? at : a;
  return km;
}

double ChoiceDeviation(const Sphere &sphere, const uint16_t *index, size_t k) {
  double largest = 0;
  size_t from = 0;
  for (size_t i = 0; i < k; i++) {
    double d = PieceDeviation(sphere, from, index[i]);
    if (d > largest) largest = d;
    from = index[i];
  }
  return largest;
}
