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
  GpxPart part;               // what the rows passed now are for
  bool held;                  // the routes are held from the writing pass
  FollowCursor cursor;        // where the routes stand in the days' own choices
  size_t routePoints;         // written: the points of the day's route so far
  RouteWalk walk;             // where the track stands
  Row leftOut;                // the track's latest route point that its stride left out
  Row route[maxHeldRows];     // held: each day's start and locations, day after day
  size_t nrHeld[maxHeldDays]; // held: the rows of each day
  size_t nrHeldRows;          // held: the rows of all days
  Count nrLocations;          // route points but the days' starts
  Count nrPOIs;               // waypoints written
} gpx;

// Write the position in column i of row, a route point's or a POI's that is
// on the globe, in decimal degrees: 4721953 as 47.21953, -0520958 as
// -05.20958, and 20958 as 0.20958.
static void PutDecimal(OutFile *file, const Row &row, size_t i) {
  const char *text = row.column[i];
  size_t degrees = row.columnLength[i] - 5;
  PutBytes(file, text, degrees);
  if (degrees == 0 || (degrees == 1 && text[0] == '-')) PutFixed(file, "0");
  PutFixed(file, ".");
  PutBytes(file, text + degrees, 5);
}

// The attributes of row's position.
static void PutPosition(OutFile *file, const Row &row) {
  PutFixed(file, " lat=\"");
  PutDecimal(file, row, latitudeColumn);
  PutFixed(file, "\" lon=\"");
  PutDecimal(file, row, longitudeColumn);
  PutFixed(file, "\"");
}

void OpenGpxOutput(const Conversion &conversion) {
  const char *tourName = conversion.tourName;
  const Following *following = conversion.following;
  gpx.following = following;
  // A short trip's choice read the export twice: the routes come from the
  // writing pass, as few are held as a NAVMAN N20's tour of as many days
  // has.
  gpx.held = following->nrDays <= static_cast<Count>(maxHeldDays) &&
             following->nrDays * (following->most + 1) <= static_cast<Count>(maxHeldRows);
  gpx.nrHeldRows = 0;
  StartCursor(&gpx.cursor, following, false);
  gpx.walk = WalkUpTo(following->nrDays);
  std::fill(std::begin(gpx.nrHeld), std::end(gpx.nrHeld), 0);
  gpx.nrLocations = gpx.nrPOIs = 0;
  bool opened = OpenBesideTour(&gpx.out, tourName, ".gpx");
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
static void WriteWaypoint(const Row &row) {
  RoutePoint point;
  if (!IsPoiRow(row) || !PositionOnGlobe(row, &point)) return;
  PutFixed(&gpx.out.file, "  <wpt");
  PutPosition(&gpx.out.file, row);
  PutFixed(&gpx.out.file, "><name>");
  PutXmlText(&gpx.out.file, row.column[nameColumn], row.columnLength[nameColumn]);
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

// Take row, a route point of the day's route, as a cursor step names it:
// held, or written at once.
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

// Do what a cursor step, what, asks of the routes. A day's start is its
// route's first point, and its end the last, but in a day of one point.
static void RouteStep(int what, const Row &row) {
  Count day = gpx.cursor.walk.day;
  if (what & cursorDayBegins) gpx.routePoints = 0;
  if (what & (cursorDayBegins | cursorLocation)) TakeRoutePoint(day, row);
  if (!(what & cursorDayEnds)) return;
  if (gpx.cursor.walk.ordinal > 0) TakeRoutePoint(day, gpx.cursor.end);
  if (gpx.held) return;
  // A day of one route point has it as its one location.
  if (gpx.cursor.walk.ordinal == 0) gpx.nrLocations++;
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

// The day's latest route point goes in at its end when the stride left it out.
static void EndSegment() {
  if (gpx.walk.ordinal % StrideOf(*gpx.following, gpx.walk.day) != 0) PutTrackPoint(gpx.leftOut);
  PutFixed(&gpx.out.file, "    </trkseg>\r\n");
}

static void WriteTrackRow(const Row &row) {
  RoutePoint point;
  WalkStep step = WalkRow(&gpx.walk, row, &point);
  if (step == stepDayEnd) EndSegment();
  if (step != stepPoint) return;
  if (gpx.walk.ordinal == 0) PutFixed(&gpx.out.file, "    <trkseg>\r\n");
  if (gpx.walk.ordinal % StrideOf(*gpx.following, gpx.walk.day) == 0)
    PutTrackPoint(row);
  else
    CopyRow(&gpx.leftOut, row);
}

void PutGpxRow(const Row &row) {
  switch (gpx.part) {
  case gpxWaypoints:
    WriteWaypoint(row);
    if (gpx.held) RouteStep(StepCursor(&gpx.cursor, row), row);
    break;
  case gpxRoutes: RouteStep(StepCursor(&gpx.cursor, row), row); break;
  case gpxTrack: WriteTrackRow(row); break;
  case gpxDone: break;
  }
}

bool GpxOutputPassesLeft() {
  switch (gpx.part) {
  case gpxWaypoints:
    if (gpx.held) {
      RouteStep(EndCursor(&gpx.cursor), gpx.cursor.end);
      WriteHeldRoutes();
      gpx.part = gpxTrack;
    } else {
      StartCursor(&gpx.cursor, gpx.following, false);
      gpx.part = gpxRoutes;
    }
    break;
  case gpxRoutes:
    RouteStep(EndCursor(&gpx.cursor), gpx.cursor.end);
    gpx.part = gpxTrack;
    break;
  case gpxTrack:
    if (gpx.walk.inDay) EndSegment();
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
