// A place: one row of the export as every later layer sees it, worked out
// once when it is read. What the row is (a route row, a POI, a separator),
// its distance as a number, and when its days are walked, its day, its
// number in the day and its position on the globe; its texts are the
// export's bytes, as the files carry them. Nothing above this layer reads
// the planner's columns.
#ifndef PLACE_H
#define PLACE_H

#include "input/reader.h"
#include "input/route.h"
#include "input/thinning.h"

// Some bytes of a row, as the export holds them.
struct Text {
  const char *bytes; // not terminated where the text is a part of a row
  size_t length;     // bytes of it
};

struct Place {
  const Row *row; // the row, split, whose texts the accessors below give
  RouteRow route; // its distance, as the thinning takes it
  bool poi;       // a name and a position, but no distance
  // Only when the days are walked:
  WalkStep step;       // a route point, the end of a day, or neither
  Count day;           // the days begun so far, from 1; for a day's end, the day that ended
  Count ordinal;       // a route point's number in its day, from 0; for a day's end, its last
  bool onGlobe;        // a route point, or a POI whose position lies on the globe
  RoutePoint position; // that position; for a day's end, its last route point's
  // Only where a follow run's choice marks the places:
  bool dayBegins;    // the first route point of its day
  bool tripLocation; // a location of the whole tour's file before its day's end
  bool ownLocation;  // a location of its day's own choice before the day's end
  const Row *end;    // for a day's end: its last route point, a location of both
};

// Take row, split, as a place: its row, its distance and whether it is a
// POI. With walk, also its step through the days, and the choice's marks
// cleared; without, its step is stepOther and the rest is left as it was.
void TakePlace(const Row *row, RouteWalk *walk, Place *place);

// The end of a pass that walk has made, as a place: a day's end when a day
// was still open. Return whether it was; row is its last route point, at
// position.
bool TakeEnd(RouteWalk *walk, const Row *row, RoutePoint position, Place *place);

// The texts of a row: its distance, its name and its position's two
// coordinates in fraction digits.
Text KmOf(const Row &row);
Text NameOf(const Row &row);
Text LongitudeOf(const Row &row);
Text LatitudeOf(const Row &row);

#endif
