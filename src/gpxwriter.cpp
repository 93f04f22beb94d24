// The GPX file. A position is the export's fraction digits with a point
// before the last five, so that no digit is lost or made up on the way; only
// positions on the globe go in, as the schema's ranges want. Every line ends
// in CR LF, as in the other files.
#include "gpxwriter.h"

#include "route.h"
#include "tourwriter.h"
#include "version.h"
#include "xmltext.h"

#include <algorithm>
#include <cstring>
#include <iterator>

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

void OpenGpxWriter(GpxWriter *gpx, const char *tourName, const Following *following) {
  gpx->following = following;
  // Up to 14 days the choice read the export twice: the routes must come
  // from the writing pass, and so few are held.
  gpx->held = following->nrDays <= maxLocations;
  StartCursor(&gpx->cursor, following, false);
  gpx->walk = WalkUpTo(following->nrDays);
  std::fill(std::begin(gpx->nrHeld), std::end(gpx->nrHeld), 0);
  gpx->nrLocations = gpx->nrPOIs = 0;
  bool opened = OpenBesideTour(&gpx->out, tourName, ".gpx");
  gpx->part = opened ? gpxWaypoints : gpxDone;
  if (!opened) return;
  PutFixed(&gpx->out.file, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                           "<gpx version=\"1.1\" creator=\"rovalto V" ROVALTO_VERSION
                           "\" xmlns=\"http://www.topografix.com/GPX/1/1\">\r\n"
                           "  <metadata><name>");
  PutTourName(&gpx->out);
  PutFixed(&gpx->out.file, "</name></metadata>\r\n");
}

// A POI on the globe as a waypoint.
static void WriteWaypoint(GpxWriter *gpx, const Row &row) {
  RoutePoint point;
  if (!IsPoiRow(row) || !PositionOnGlobe(row, &point)) return;
  PutFixed(&gpx->out.file, "  <wpt");
  PutPosition(&gpx->out.file, row);
  PutFixed(&gpx->out.file, "><name>");
  PutXmlText(&gpx->out.file, row.column[nameColumn], row.columnLength[nameColumn]);
  PutFixed(&gpx->out.file, "</name></wpt>\r\n");
  gpx->nrPOIs++;
}

static void BeginRoute(GpxWriter *gpx, Count day) {
  PutFixed(&gpx->out.file, "  <rte><name>");
  PutTourName(&gpx->out);
  if (gpx->following->nrDays > 1) {
    char text[32];
    int n = snprintf(text, sizeof text, ", day %lld", day);
    PutBytes(&gpx->out.file, text, static_cast<size_t>(n));
  }
  PutFixed(&gpx->out.file, "</name>\r\n");
}

// A route point named as in the day's own tour file.
static void PutRoutePoint(GpxWriter *gpx, const Row &row) {
  PutFixed(&gpx->out.file, "    <rtept");
  PutPosition(&gpx->out.file, row);
  PutFixed(&gpx->out.file, "><name>");
  PutLocationName(&gpx->out.file, row, 0);
  PutFixed(&gpx->out.file, "</name></rtept>\r\n");
}

static void EndRoute(GpxWriter *gpx) {
  PutFixed(&gpx->out.file, "  </rte>\r\n");
}

// Take row, a route point of the day's route, as a cursor step names it:
// held, or written at once.
static void TakeRoutePoint(GpxWriter *gpx, Count day, const Row &row) {
  if (gpx->held) {
    CopyRow(&gpx->route[day - 1][gpx->nrHeld[day - 1]++], row);
    return;
  }
  if (gpx->routePoints++ == 0)
    BeginRoute(gpx, day);
  else
    gpx->nrLocations++;
  PutRoutePoint(gpx, row);
}

// Do what a cursor step, what, asks of the routes. A day's start is its
// route's first point, and its end the last, but in a day of one point.
static void RouteStep(GpxWriter *gpx, int what, const Row &row) {
  Count day = gpx->cursor.walk.day;
  if (what & cursorDayBegins) gpx->routePoints = 0;
  if (what & (cursorDayBegins | cursorLocation)) TakeRoutePoint(gpx, day, row);
  if (!(what & cursorDayEnds)) return;
  if (gpx->cursor.walk.ordinal > 0) TakeRoutePoint(gpx, day, gpx->cursor.end);
  if (gpx->held) return;
  // A day of one route point has it as its one location.
  if (gpx->cursor.walk.ordinal == 0) gpx->nrLocations++;
  EndRoute(gpx);
}

// Write the routes held from the writing pass.
static void WriteHeldRoutes(GpxWriter *gpx) {
  for (Count d = 1; d <= gpx->following->nrDays; d++) {
    size_t n = gpx->nrHeld[d - 1];
    BeginRoute(gpx, d);
    for (size_t i = 0; i < n; i++)
      PutRoutePoint(gpx, gpx->route[d - 1][i]);
    gpx->nrLocations += static_cast<Count>(n > 1 ? n - 1 : 1);
    EndRoute(gpx);
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

static void PutTrackPoint(GpxWriter *gpx, const Row &row) {
  PutFixed(&gpx->out.file, "      <trkpt");
  PutPosition(&gpx->out.file, row);
  PutFixed(&gpx->out.file, "/>\r\n");
}

// The day's latest route point goes in at its end when the stride left it out.
static void EndSegment(GpxWriter *gpx) {
  if (gpx->walk.ordinal % StrideOf(*gpx->following, gpx->walk.day) != 0)
    PutTrackPoint(gpx, gpx->leftOut);
  PutFixed(&gpx->out.file, "    </trkseg>\r\n");
}

static void WriteTrackRow(GpxWriter *gpx, const Row &row) {
  RoutePoint point;
  WalkStep step = WalkRow(&gpx->walk, row, &point);
  if (step == stepDayEnd) EndSegment(gpx);
  if (step != stepPoint) return;
  if (gpx->walk.ordinal == 0) PutFixed(&gpx->out.file, "    <trkseg>\r\n");
  if (gpx->walk.ordinal % StrideOf(*gpx->following, gpx->walk.day) == 0)
    PutTrackPoint(gpx, row);
  else
    CopyRow(&gpx->leftOut, row);
}

void WriteGpxRow(GpxWriter *gpx, const Row &row) {
  switch (gpx->part) {
  case gpxWaypoints:
    WriteWaypoint(gpx, row);
    if (gpx->held) RouteStep(gpx, StepCursor(&gpx->cursor, row), row);
    break;
  case gpxRoutes: RouteStep(gpx, StepCursor(&gpx->cursor, row), row); break;
  case gpxTrack: WriteTrackRow(gpx, row); break;
  case gpxDone: break;
  }
}

bool GpxPassesLeft(GpxWriter *gpx) {
  switch (gpx->part) {
  case gpxWaypoints:
    if (gpx->held) {
      RouteStep(gpx, EndCursor(&gpx->cursor), gpx->cursor.end);
      WriteHeldRoutes(gpx);
      gpx->part = gpxTrack;
    } else {
      StartCursor(&gpx->cursor, gpx->following, false);
      gpx->part = gpxRoutes;
    }
    break;
  case gpxRoutes:
    RouteStep(gpx, EndCursor(&gpx->cursor), gpx->cursor.end);
    gpx->part = gpxTrack;
    break;
  case gpxTrack:
    if (gpx->walk.inDay) EndSegment(gpx);
    PutFixed(&gpx->out.file, "  </trk>\r\n");
    gpx->part = gpxDone;
    return false;
  case gpxDone: return false;
  }
  if (gpx->part == gpxTrack) {
    PutFixed(&gpx->out.file, "  <trk><name>");
    PutTourName(&gpx->out);
    PutFixed(&gpx->out.file, "</name>\r\n");
  }
  return true;
}

bool FinishGpxWriter(GpxWriter *gpx, bool whole, const char *exportName) {
  bool told = false;
  if (gpx->out.file.stream && !whole)
    return CloseUnfinished(&gpx->out.file, gpx->out.name, exportName);
  // A pass that could not be read leaves the file unfinished: the read error
  // has been told, and no count is.
  whole = gpx->part == gpxDone;
  if (gpx->out.file.stream) {
    if (whole) PutFixed(&gpx->out.file, "</gpx>\r\n");
    if (CloseOutput(&gpx->out.file, gpx->out.name) == 0 && whole) {
      Count days = gpx->following->nrDays;
      printf("File '%s' holds the tour for other devices: %lld %s, %lld %s, %lld %s.\n",
             gpx->out.name, days, days == 1 ? "day" : "days", gpx->nrLocations,
             gpx->nrLocations == 1 ? "location" : "locations", gpx->nrPOIs,
             gpx->nrPOIs == 1 ? "POI" : "POIs");
      told = true;
    }
  }
  return told;
}

// The run's GPX file.
static GpxWriter theGpx;

void OpenGpxOutput(const Conversion &conversion) {
  OpenGpxWriter(&theGpx, conversion.tourName, conversion.following);
}

void PutGpxRow(const Row &row) {
  WriteGpxRow(&theGpx, row);
}

bool GpxOutputPassesLeft() {
  return GpxPassesLeft(&theGpx);
}

bool FinishGpxOutput(bool whole, const char *exportName) {
  return FinishGpxWriter(&theGpx, whole, exportName);
}
