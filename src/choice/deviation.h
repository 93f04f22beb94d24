// The deviation of a choice of locations from the route: how far the
// straight line the device routes along, from the day's start through the
// chosen locations, strays from the day's route points. Positions are in km
// on a flat projection of the day, x = longitude * cos(mean latitude) *
// 111.195, y = latitude * 111.195, each route point measured to the nearest
// point of the piece of line between the two locations it lies between. The
// same bits come out on every platform: the cosine is the program's own, and
// square roots are exact everywhere.
#ifndef DEVIATION_H
#define DEVIATION_H

#include "input/route.h"

// Km per degree of latitude, and of longitude on the equator.
constexpr double kmPerDegree = 111.195;

// A day in km: the projection of its held points.
struct Plane {
  double x[maxDayPoints + 1]; // km east of the day's first point
  double y[maxDayPoints + 1]; // km north of it
  double kx, ky;              // km per unit of longitude and of latitude
};

// The cosine of degrees, for -90 up to 90, to within a few units in the
// last place, by the same operations everywhere.
double Cosine(double degrees);

// Project day's held points onto plane.
void ProjectDay(const Day &day, Plane *plane);

// The largest distance, in km, of day's held points after index a and before
// index b from the piece of line between the points at a and b; 0 when none
// lies between. Set *farthest, when given, to the index of a point that lies
// that far (a when none does).
double PieceDeviation(const Day &day, const Plane &plane, size_t a, size_t b,
                      size_t *farthest = nullptr);

// The deviation of the choice of the k held points at index[0] < ... <
// index[k-1] (the day's last) from day, its start at index 0.
double ChoiceDeviation(const Day &day, const Plane &plane, const uint16_t *index, size_t k);

#endif
