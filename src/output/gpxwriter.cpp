// The GPX file. A position is the export's fraction digits with a point
// before the last five, so that no digit is lost or made up on the way; only
// positions on the globe go in, as the schema's ranges want. Every line ends
// in CR LF, as in the other files.
#include "output/gpxwriter.h"

#include "base/xmltext.h"
#include "input/route.h"
#include "output/tourwriter.h"
#include "version.h"

#include <algorithm>
#include <cstring>
#include <iterator>

// A short trip's routes are held from the writing pass: as many days as a
// NAVMAN N20's whole tour has locations at most, and a start and the
// locations of each.
constexpr size_t maxHeldDays = static_cast<size_t>(navmanN20Locations);
constexpr size_t maxHeldRows = maxHeldDays * (maxHeldDays + 1);

// What the writer takes from the rows it is passed.
enum GpxPart {
  gpxWaypoints, // the writing pass: the POIs, and for a short trip the routes held
  gpxRoutes,    // a pass of its own for the routes of a trip too long to hold
  gpxTrack,     // the last pass: the route points
  gpxDone,      // nothing more
};

// The run's GPX file.
static struct {
  BesideTour out;             // the file
  const Following *following; // what was chosen
  GpxPart part;               // what the places passed now are for
  bool byDistance;            // the tour's locations were taken by distance
  bool held;                  // the routes are held from the writing pass
  size_t routePoints;         // written: the points of the day's route so far
  Row route[maxHeldRows];     // held: each day's start and locations, day after day
  size_t nrHeld[maxHeldDays]; // held: the rows of each day
  size_t nrHeldRows;          // held: the rows of all days
  Count nrLocations;          // route points but the days' starts
  Count nrPOIs;               // waypoints written
} gpx;

// Write the position in column i of row, a route point's or a POI's that is
// on the globe, in decimal degrees: 4721953 as 47.21953, -0520958 as
// -05.20958, and 20958 as 0.20958.
static void PutDecimal(OutFile *file, Text fraction) {
  const char *text = fraction.bytes;
  size_t degrees = fraction.length - 5;
  PutBytes(file, text, degrees);
  if (degrees == 0 || (degrees == 1 && text[0] == '-')) PutFixed(file, "0");
  PutFixed(file, ".");
  PutBytes(file, text + degrees, 5);
}

// The attributes of row's position.
static void PutPosition(OutFile *file, const Row &row) {
  PutFixed(file, " lat=\"");
  PutDecimal(file, LatitudeOf(row));
  PutFixed(file, "\" lon=\"");
  PutDecimal(file, LongitudeOf(row));
  PutFixed(file, "\"");
}

void OpenGpxOutput(const Conversion &conversion) {
  const char *tourName = conversion.tourName;
  const Following *following = conversion.following;
  gpx.following = following;
  gpx.byDistance = conversion.choosing != byFollowing;
  // A short trip's choice read the export twice: the routes come from the
  // writing pass, as few are held as a NAVMAN N20's tour of as many days
  // has. A tour taken by distance may have any number of locations a day.
  gpx.held = !gpx.byDistance && following->nrDays <= static_cast<Count>(maxHeldDays) &&
             following->nrDays * (following->most + 1) <= static_cast<Count>(maxHeldRows);
  gpx.nrHeldRows = 0;
  std::fill(std::begin(gpx.nrHeld), std::end(gpx.nrHeld), 0);
  gpx.nrLocations = gpx.nrPOIs = 0;
  bool opened = OpenBesideTour(&gpx.out, tourName, gpxSuffix);
  gpx.part = opened ? gpxWaypoints : gpxDone;
  if (!opened) return;
  PutFixed(&gpx.out.file, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                          "<gpx version=\"1.1\" creator=\"rovalto V" ROVALTO_VERSION
                          "\" xmlns=\"http://www.topografix.com/GPX/1/1\">\r\n"
                          "  <metadata><name>");
  PutTourName(&gpx.out);
  PutFixed(&gpx.out.file, "</name></metadata>\r\n");
}

// A POI on the globe as a waypoint.
static void WriteWaypoint(const Place &place) {
  if (!place.poi || !place.onGlobe) return;
  PutFixed(&gpx.out.file, "  <wpt");
  PutPosition(&gpx.out.file, *place.row);
  PutFixed(&gpx.out.file, "><name>");
  Text name = NameOf(*place.row);
  PutXmlText(&gpx.out.file, name.bytes, name.length);
  PutFixed(&gpx.out.file, "</name></wpt>\r\n");
  gpx.nrPOIs++;
}

static void BeginRoute(Count day) {
  PutFixed(&gpx.out.file, "  <rte><name>");
  PutTourName(&gpx.out);
  if (gpx.following->nrDays > 1) {
    char text[32];
    int n = snprintf(text, sizeof text, ", day %lld", day);
    PutBytes(&gpx.out.file, text, static_cast<size_t>(n));
  }
  PutFixed(&gpx.out.file, "</name>\r\n");
}

// A route point named as in the day's own tour file.
static void PutRoutePoint(const Row &row) {
  PutFixed(&gpx.out.file, "    <rtept");
  PutPosition(&gpx.out.file, row);
  PutFixed(&gpx.out.file, "><name>");
  PutLocationName(&gpx.out.file, row, 0);
  PutFixed(&gpx.out.file, "</name></rtept>\r\n");
}

static void EndRoute() {
  PutFixed(&gpx.out.file, "  </rte>\r\n");
}

// Take row, a route point of the day's route: held, or written at once.
static void TakeRoutePoint(Count day, const Row &row) {
  if (gpx.held) {
    // A day has its start, its end and fewer than most locations between.
    if (gpx.nrHeldRows == maxHeldRows) return;
    CopyRow(&gpx.route[gpx.nrHeldRows++], row);
    gpx.nrHeld[day - 1]++;
    return;
  }
  if (gpx.routePoints++ == 0)
    BeginRoute(day);
  else
    gpx.nrLocations++;
  PutRoutePoint(row);
}

// Take place into the routes, as the day's own choice marks it. A day's
// start is its route's first point, and its end the last, but in a day of
// one point.
static void RouteStep(const Place &place) {
  if (place.dayBegins) gpx.routePoints = 0;
  if (gpx.byDistance) {
    // The day's locations of the tour file, after its start; its end is
    // one only when taken.
    if (place.dayBegins || place.tripLocation) TakeRoutePoint(place.day, *place.row);
    if (place.dayBegins && place.tripLocation) gpx.nrLocations++;
    if (place.step == stepDayEnd) EndRoute();
    return;
  }
  if (place.dayBegins || place.ownLocation) TakeRoutePoint(place.day, *place.row);
  if (place.step != stepDayEnd) return;
  if (place.ordinal > 0) TakeRoutePoint(place.day, *place.end);
  if (gpx.held) return;
  // A day of one route point has it as its one location.
  if (place.ordinal == 0) gpx.nrLocations++;
  EndRoute();
}

// Write the routes held from the writing pass.
static void WriteHeldRoutes() {
  const Row *row = gpx.route;
  for (Count d = 1; d <= gpx.following->nrDays; d++) {
    size_t n = gpx.nrHeld[d - 1];
    BeginRoute(d);
    for (size_t i = 0; i < n; i++)
      PutRoutePoint(*row++);
    gpx.nrLocations += static_cast<Count>(n > 1 ? n - 1 : 1);
    EndRoute();
  }
}

// The stride of day d's held points: the track of a thinned day holds what
// its choice was made from.
static Count StrideOf(const Following &following, Count d) {
  if (d <= maxDayFiles) return following.day[d - 1].stride;
  Count told = std::min(following.nrThinned, static_cast<Count>(maxThinnedTold));
  for (Count i = 0; i < told; i++)
    if (following.thinned[i].day == d) return following.thinned[i].stride;
  return 1;
}

static void PutTrackPoint(const Row &row) {
  PutFixed(&gpx.out.file, "      <trkpt");
  PutPosition(&gpx.out.file, row);
  PutFixed(&gpx.out.file, "/>\r\n");
}

// Every stride-th route point of a day goes into its segment, and its last
// one, which a day's end holds, when the stride left it out.
static void WriteTrackPlace(const Place &place) {
  if (place.step == stepOther) return;
  bool onStride = place.ordinal % StrideOf(*gpx.following, place.day) == 0;
  if (place.step == stepDayEnd) {
    if (!onStride) PutTrackPoint(*place.end);
    PutFixed(&gpx.out.file, "    </trkseg>\r\n");
    return;
  }
  if (place.ordinal == 0) PutFixed(&gpx.out.file, "    <trkseg>\r\n");
  if (onStride) PutTrackPoint(*place.row);
}

void PutGpxPlace(const Place &place) {
  switch (gpx.part) {
  case gpxWaypoints:
    WriteWaypoint(place);
    if (gpx.held) RouteStep(place);
    break;
  case gpxRoutes: RouteStep(place); break;
  case gpxTrack: WriteTrackPlace(place); break;
  case gpxDone: break;
  }
}

bool GpxOutputPassesLeft() {
  switch (gpx.part) {
  case gpxWaypoints:
    if (gpx.held) WriteHeldRoutes();
    gpx.part = gpx.held ? gpxTrack : gpxRoutes;
    break;
  case gpxRoutes: gpx.part = gpxTrack; break;
  case gpxTrack:
    PutFixed(&gpx.out.file, "  </trk>\r\n");
    gpx.part = gpxDone;
    return false;
  case gpxDone: return false;
  }
  if (gpx.part == gpxTrack) {
    PutFixed(&gpx.out.file, "  <trk><name>");
    PutTourName(&gpx.out);
    PutFixed(&gpx.out.file, "</name>\r\n");
  }
  return true;
}

bool FinishGpxOutput(bool whole, const char *exportName) {
  if (!gpx.out.file.stream) return false;
  if (!whole) return CloseUnfinished(&gpx.out.file, gpx.out.name, exportName);
  // A pass that could not be read leaves the file unfinished: the read error
  // has been told, and no count is.
  bool done = gpx.part == gpxDone;
  if (done) PutFixed(&gpx.out.file, "</gpx>\r\n");
  if (CloseOutput(&gpx.out.file, gpx.out.name) != 0 || !done) return false;
  Count days = gpx.following->nrDays;
  printf("File '%s' holds the tour for other devices: %lld %s, %lld %s, %lld %s.\n", gpx.out.name,
         days, days == 1 ? "day" : "days", gpx.nrLocations,
         gpx.nrLocations == 1 ? "location" : "locations", gpx.nrPOIs,
         gpx.nrPOIs == 1 ? "POI" : "POIs");
  return true;
}
