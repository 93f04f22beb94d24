// The globe: the Earth as a sphere of 6,371 km, positions on it as unit
// vectors from its centre, and distances along its great circles. Every
// result is the same bits on every platform: the sine, the cosine and the
// arc sine are the program's own series, and square roots are exact
// everywhere.
#ifndef GLOBE_H
#define GLOBE_H

#include <cstdint>

constexpr double pi = 3.14159265358979323846;

// The sphere's radius, and km per degree along a great circle.
constexpr double earthRadiusKm = 6371;
constexpr double kmPerDegree = earthRadiusKm * pi / 180;

// Whole units of 1/100000 degree in a degree.
constexpr int64_t unitsPerDegree = 100000;

// A point in space; on the globe, a unit vector: x towards 0° N 0° E, y
// towards 0° N 90° E, z towards the North Pole.
struct Vector {
  double x, y, z;
};

inline double Dot(Vector a, Vector b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vector Cross(Vector a, Vector b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The sine and cosine of an angle of units 1/100000 degree, any whole
// number of them, to within a few units in the last place.
void SineCosine(int64_t units, double *sine, double *cosine);

// The sine of radians, for 0 up to pi/2.
double Sine(double radians);

// The arc sine of x, 0 up to 1, in radians.
double ArcSine(double x);

// The unit vector of a position in units of 1/100000 degree.
Vector OnGlobe(int32_t longitude, int32_t latitude);

// Where a point stands on the globe as seen from another, the apex: its
// unit vector, and the directions east and north at it. A point's
// direction from the apex is its component along each: the direction of
// the great circle from the apex through it, with the sine of its
// distance as length.
struct Apex {
  Vector at;           // the unit vector
  double eastX, eastY; // east: (eastX, eastY, 0); north: (-z eastY, z eastX, x eastY - y eastX)
};

Apex ApexOf(int32_t longitude, int32_t latitude);

// p's components east and north of apex, in the plane that touches the
// globe there.
inline void Towards(const Apex &apex, Vector p, double *east, double *north) {
  *east = p.x * apex.eastX + p.y * apex.eastY;
  double cosLatitude = apex.at.x * apex.eastY - apex.at.y * apex.eastX;
  *north = apex.at.z * (p.y * apex.eastX - p.x * apex.eastY) + p.z * cosLatitude;
}

// The great-circle distance in km between two unit vectors the chord
// between which has the square chord2.
double ChordKm(double chord2);

// The square of the chord from p to the nearest point of the shorter
// great-circle arc between a and b (an end where p lies beyond it). Ends
// less than antipodalKm from antipodal have no shorter arc to speak of:
// the nearer end is taken.
double ChordToArc(Vector a, Vector b, Vector p);

// Ends this close to antipodal are measured by their ends alone.
constexpr double antipodalKm = 1;

// The squared chord of an arc of antipodalKm: (2 sin(a/2))^2 = a^2 (1 -
// a^2/12) to within a^6, for its angle a, far below the last place.
constexpr double antipodalChord2 =
    antipodalKm / earthRadiusKm * antipodalKm / earthRadiusKm *
    (1 - antipodalKm / earthRadiusKm * antipodalKm / earthRadiusKm / 12);

#endif
