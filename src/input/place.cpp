// Places. The classification costs a row the distance's conversion and a few
// length tests; the position on the globe is read only when the days are
// walked, which a conversion by distance never does.
#include "input/place.h"

#include "input/gpx.h"

void TakePlace(const Row *row, RouteWalk *walk, Place *place) {
  place->row = row;
  place->route = RouteRowOf(*row);
  place->poi = IsPoiRow(*row);
  place->step = stepOther;
  // A conversion by distance reads nothing more of a place.
  if (!walk) return;
  place->dayBegins = place->tripLocation = place->ownLocation = false;
  place->end = nullptr;
  place->step = WalkRouteRow(walk, place->route, *row, &place->position);
  place->day = walk->day;
  place->ordinal = walk->ordinal;
  place->onGlobe =
      place->step == stepPoint || (place->poi && PositionOnGlobe(*row, &place->position));
}

bool TakeEnd(RouteWalk *walk, const Row *row, RoutePoint position, Place *place) {
  if (!walk->inDay) return false;
  walk->inDay = false;
  place->row = row;
  place->route = RouteRow{false, 0, false};
  place->poi = false;
  place->step = stepDayEnd;
  place->day = walk->day;
  place->ordinal = walk->ordinal;
  place->onGlobe = true;
  place->position = position;
  place->dayBegins = place->tripLocation = place->ownLocation = false;
  place->end = row;
  return true;
}

static Text ColumnOf(const Row &row, size_t i) {
  return {row.column[i], row.columnLength[i]};
}

Text KmOf(const Row &row) {
  return ColumnOf(row, kmColumn);
}

Text NameOf(const Row &row) {
  Text name;
  if (row.waypointNamed && WaypointNear(row, &name.bytes, &name.length)) return name;
  return ColumnOf(row, nameColumn);
}

Text LongitudeOf(const Row &row) {
  return ColumnOf(row, longitudeColumn);
}

Text LatitudeOf(const Row &row) {
  return ColumnOf(row, latitudeColumn);
}
