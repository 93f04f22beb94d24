// The deviation of a choice of locations from the route: how far the
// pieces the device routes along, from the day's start through the chosen
// locations, stray from the day's route points. Each piece is the shorter
// great-circle arc between its two locations, and each route point is
// measured on the globe to the nearest point of the piece it lies on.
#ifndef DEVIATION_H
#define DEVIATION_H

#include "base/globe.h"
#include "input/route.h"

// A day on the globe: where each held point stands, and the directions
// from it.
struct Sphere {
  Apex point[maxDayPoints + 1]; // each held point as an apex
};

// Place day's held points on sphere.
void PlaceDay(const Day &day, Sphere *sphere);

// The distance in km that a squared chord to a piece stands for: 0 below a
// micrometre, which is rounding, not road.
double DeviationKm(double chord2);

// The largest distance, in km, of day's held points after index a and before
// index b from the piece between the points at a and b; 0 when none lies
// between. Set *farthest, when given, to the index of a point that lies
// that far (a when none does).
double PieceDeviation(const Sphere &sphere, size_t a, size_t b, size_t *farthest = nullptr);

// The deviation of the choice of the k held points at index[0] < ... <
// index[k-1] (the day's last) from the day on sphere, its start at index 0.
double ChoiceDeviation(const Sphere &sphere, const uint16_t *index, size_t k);

#endif
