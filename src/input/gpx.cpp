// The GPX reader. The XML service hands over elements as they come; each
// point becomes a row the moment its element ends, and the parser is
// suspended until the caller has taken it, so that one point is held at a
// time, whatever the file's size.
#include "input/gpx.h"

#include "base/files.h"
#include "base/globe.h"
#include "base/xml.h"

#include <cstdio>
#include <cstring>
#include <iterator>

// Which rows a reading of the file gives.
enum Sweep {
  sweepFirst,    // the POIs, and the segments while no segment of one point came first
  sweepRoutes,   // the routes' points, a day a route
  sweepSegments, // the segments' points, a day a segment
};

// The element being read, where it matters.
enum PointKind { noPoint, wptPoint, rteptPoint, trkptPoint };

// Waypoints held for the names of route points that have none: their
// names, one after another, in a pool.
constexpr size_t maxWaypoints = 1024;
constexpr size_t waypointNamesSize = 64 * 1024;
static struct {
  RoutePoint at[maxWaypoints];       // where each lies
  uint32_t nameAt[maxWaypoints];     // its name's first byte in names
  uint16_t nameLength[maxWaypoints]; // and its bytes
  size_t n;                          // waypoints held
  char names[waypointNamesSize];     // their names
  size_t used;                       // bytes of names used
  bool filled;                       // a first reading has held them all it could
} waypoints;

// Rows a point's end may give: the separator before its day, the day's first
// point held until this one, and this one.
constexpr size_t maxQueued = 3;

static struct {
  ExportReader *reader;  // the file's reader
  Sweep sweep;           // which rows this reading gives
  XmlStatus status;      // where the parser stands
  GpxFound found;        // what the passes found
  Count offGlobeTracks;  // track points off the globe, counted in the first reading
  Count offGlobeRoutes;  // route points off the globe, counted in the routes' reading
  Count longSegments;    // segments of two or more points on the globe
  Count shortSegments;   // segments of one
  Count routePoints;     // route points on the globe, in routes
  bool segmentsLater;    // a segment of one point came before any longer one: the
                         // segments are given in a reading of their own
  bool anyElement;       // the root has been seen
  bool anyContent;       // a track, route or waypoint has been seen
  int depth;             // elements open
  PointKind point;       // the point open, if any
  int pointDepth;        // its depth
  bool pointOnGlobe;     // its position is on the globe
  RoutePoint position;   // that position
  char longitude[16];    // in fraction digits
  char latitude[16];     // in fraction digits
  bool inName;           // the point's own <name> is open
  char name[maxGpxName]; // its name so far, white space made single blanks
  size_t nameLength;     // bytes of it
  bool blankDue;         // white space came after the last character kept
  Count segmentPoints;   // points of the open segment or route on the globe
  bool dayGiven;         // a day was given in this reading: the next needs a separator
  Vector last;           // the day's last point
  double km;             // the day's km so far
  Row held;              // a segment's first point, until its second comes
  Row queue[maxQueued];  // rows for the caller
  size_t nrQueued;       // how many
  size_t nextQueued;     // the next to give
} gpx;

void ForgetWaypoints() {
  waypoints.n = waypoints.used = 0;
  waypoints.filled = false;
}

bool IsGpxName(const char *fileName) {
  return EndsInExtension(fileName, ".gpx");
}

const GpxFound &GpxFoundSoFar() {
  return gpx.found;
}

// The local part of an element's name: "gpx:trkpt" is a trkpt.
static const char *Local(const char *name) {
  const char *colon = strrchr(name, ':');
  return colon ? colon + 1 : name;
}

// Refuse the file, with where the parser stands.
static void Refuse(const char *why) {
  unsigned long line, column;
  XmlPosition(&line, &column);
  gpx.found.refused = true;
  snprintf(gpx.found.error, sizeof gpx.found.error, "line %lu, column %lu: %s", line, column, why);
  SuspendXml();
}

// Write value into text as its decimal digits, at least least of them (zeros
// before), after a "-" when negative; zero-terminated. A formatting of the
// C library would cost more than all else a point takes.
static void PutDigits(char (&text)[16], bool negative, uint64_t value, size_t least) {
  char reversed[20];
  size_t n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0 || n < least);
  size_t at = 0;
  if (negative) text[at++] = '-';
  while (n > 0)
    text[at++] = reversed[--n];
  text[at] = '\0';
}

// Read text, a decimal (an optional sign, digits, an optional point and
// digits), rounded half away from zero to whole hundred-thousandths, into
// fraction digits at digits and units at *units, within limit as
// PositionOnGlobe takes it (up to it when upTo, and down to -limit always). Return false for any
// other text, or a value beyond the limit.
static bool ReadDecimal(const char *text, int64_t limit, bool upTo, char (&digits)[16],
                        int32_t *units) {
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') text++;
  int64_t value = 0;
  size_t whole = 0;
  for (; *text >= '0' && *text <= '9'; text++, whole++) {
    value = value * 10 + (*text - '0');
    if (value > limit) return false;
  }
  if (whole == 0) return false;
  int fraction = 0;
  bool up = false;
  if (*text == '.') {
    for (text++; *text >= '0' && *text <= '9'; text++, fraction++) {
      if (fraction < 5) value = value * 10 + (*text - '0');
      if (fraction == 5) up = *text >= '5';
    }
  }
  if (*text != '\0') return false;
  for (; fraction < 5; fraction++)
    value *= 10;
  if (up) value++;
  // A longitude of -180 is one of 180 on the globe, and GPX's only.
  if (value > limit * 100000 || (!upTo && !negative && value == limit * 100000)) return false;
  *units = static_cast<int32_t>(negative ? -value : value);
  // Sign, degrees without leading zeros, five digits; -0 is 0.
  PutDigits(digits, negative && value != 0, static_cast<uint64_t>(value), 5);
  return true;
}

static void StartPoint(PointKind kind, const char **attributes) {
  gpx.point = kind;
  gpx.pointDepth = gpx.depth;
  gpx.nameLength = 0;
  gpx.blankDue = false;
  const char *lat = nullptr, *lon = nullptr;
  for (const char **a = attributes; *a; a += 2) {
    if (strcmp(a[0], "lat") == 0) lat = a[1];
    if (strcmp(a[0], "lon") == 0) lon = a[1];
  }
  gpx.pointOnGlobe = lat && lon &&
                     ReadDecimal(lat, 90, true, gpx.latitude, &gpx.position.latitude) &&
                     ReadDecimal(lon, 180, false, gpx.longitude, &gpx.position.longitude);
}

// Write the row of a point: its km (empty for a POI), its name and its
// position, as the columns of an export's row.
static void MakeRow(Row *row, const char *km) {
  const char *texts[nrColumns] = {};
  size_t lengths[nrColumns] = {};
  texts[kmColumn] = km, lengths[kmColumn] = strlen(km);
  texts[nameColumn] = gpx.name, lengths[nameColumn] = gpx.nameLength;
  texts[longitudeColumn] = gpx.longitude, lengths[longitudeColumn] = strlen(gpx.longitude);
  texts[latitudeColumn] = gpx.latitude, lengths[latitudeColumn] = strlen(gpx.latitude);
  size_t at = 0;
  for (size_t i = 0; i < nrColumns; i++) {
    row->column[i] = row->text + at;
    row->columnLength[i] = lengths[i];
    if (lengths[i] > 0) memcpy(row->text + at, texts[i], lengths[i]);
    at += lengths[i];
    row->text[at++] = '\0';
  }
  // CopyRow copies the row's length and a zero byte for each column.
  row->length = at - nrColumns;
  row->positionsConverted = true;
  row->waypointNamed = km[0] != '\0' && gpx.nameLength == 0;
}

static void MakeSeparator(Row *row) {
  memset(row->text, 0, nrColumns + 1);
  row->length = 0;
  for (size_t i = 0; i < nrColumns; i++) {
    row->column[i] = row->text + i;
    row->columnLength[i] = 0;
  }
  row->positionsConverted = row->waypointNamed = false;
}

// Hold the waypoint just read, once, while there is room.
static void HoldWaypoint() {
  if (waypoints.filled || waypoints.n == maxWaypoints ||
      gpx.nameLength > waypointNamesSize - waypoints.used)
    return;
  memcpy(waypoints.names + waypoints.used, gpx.name, gpx.nameLength);
  waypoints.at[waypoints.n] = gpx.position;
  waypoints.nameAt[waypoints.n] = static_cast<uint32_t>(waypoints.used);
  waypoints.nameLength[waypoints.n++] = static_cast<uint16_t>(gpx.nameLength);
  waypoints.used += gpx.nameLength;
}

bool WaypointNear(const Row &row, const char **name, size_t *length) {
  RoutePoint p;
  if (!PositionOnGlobe(row, &p)) return false;
  Vector v = OnGlobe(p.longitude, p.latitude);
  // 0.25 km, as a squared chord: the nearest within it names the point.
  double best = 0;
  size_t found = waypoints.n;
  for (size_t i = 0; i < waypoints.n; i++) {
    Vector w = OnGlobe(waypoints.at[i].longitude, waypoints.at[i].latitude);
    Vector d = {v.x - w.x, v.y - w.y, v.z - w.z};
    double chord2 = Dot(d, d);
    if (ChordKm(chord2) <= 0.25 && (found == waypoints.n || chord2 < best)) {
      best = chord2;
      found = i;
    }
  }
  if (found == waypoints.n) return false;
  *name = waypoints.names + waypoints.nameAt[found];
  *length = waypoints.nameLength[found];
  return true;
}

static Row *Queued() {
  return &gpx.queue[gpx.nrQueued++];
}

// The point just ended as a route point of its day: its row, with the
// separator before a new day.
static void GiveRoutePoint(Row *row) {
  Vector p = OnGlobe(gpx.position.longitude, gpx.position.latitude);
  if (gpx.segmentPoints == 0) {
    gpx.km = 0;
  } else {
    Vector d = {p.x - gpx.last.x, p.y - gpx.last.y, p.z - gpx.last.z};
    gpx.km += ChordKm(Dot(d, d));
  }
  gpx.last = p;
  // Tenths of a km, half away from zero, then a point before the last digit.
  char km[16];
  PutDigits(km, false, static_cast<uint64_t>(gpx.km * 10 + 0.5), 2);
  size_t n = strlen(km);
  memmove(km + n - 1 + 1, km + n - 1, 2);
  km[n - 1] = '.';
  MakeRow(row, km);
}

static void BeginDay() {
  if (gpx.dayGiven) MakeSeparator(Queued());
  gpx.dayGiven = true;
}

static void EndPoint() {
  PointKind kind = gpx.point;
  gpx.point = noPoint;
  gpx.inName = false;
  bool first = gpx.sweep == sweepFirst;
  if (!gpx.pointOnGlobe) {
    if (kind == trkptPoint && first) gpx.offGlobeTracks++;
    if (kind == rteptPoint && gpx.sweep == sweepRoutes) gpx.offGlobeRoutes++;
    if (kind == wptPoint && first) gpx.found.nrOffGlobe++;
    return;
  }
  if (kind == wptPoint) {
    if (!first || gpx.nameLength == 0) return;
    HoldWaypoint();
    MakeRow(Queued(), "");
  } else if (kind == rteptPoint) {
    if (first) gpx.routePoints++;
    if (gpx.sweep != sweepRoutes) return;
    if (gpx.segmentPoints == 0) BeginDay();
    GiveRoutePoint(Queued());
    gpx.segmentPoints++;
  } else {
    if (gpx.sweep == sweepRoutes) return;
    if (gpx.sweep == sweepSegments) {
      if (gpx.segmentPoints == 0) BeginDay();
      GiveRoutePoint(Queued());
      gpx.segmentPoints++;
    } else if (gpx.segmentsLater) {
      gpx.segmentPoints++;
      return;
    } else if (gpx.segmentPoints == 0) {
      // Whether the segment is a day comes with its second point, or its end.
      GiveRoutePoint(&gpx.held);
      gpx.segmentPoints++;
      return;
    } else {
      if (gpx.segmentPoints == 1) {
        BeginDay();
        CopyRow(Queued(), gpx.held);
      }
      GiveRoutePoint(Queued());
      gpx.segmentPoints++;
    }
  }
  // The caller takes these rows before the parser goes on.
  SuspendXml();
}

static void OnStart(void *, const char *element, const char **attributes) {
  gpx.depth++;
  const char *name = Local(element);
  if (!gpx.anyElement) {
    gpx.anyElement = true;
    if (strcmp(name, "gpx") != 0) Refuse("the file's root is no <gpx> element");
    return;
  }
  if (gpx.point != noPoint) {
    // The point's own name, not its link's or extension's.
    if (gpx.depth == gpx.pointDepth + 1 && strcmp(name, "name") == 0) gpx.inName = true;
    return;
  }
  if (gpx.depth == 2 && (!strcmp(name, "trk") || !strcmp(name, "rte") || !strcmp(name, "wpt")))
    gpx.anyContent = true;
  if (!strcmp(name, "wpt") && gpx.depth == 2) {
    StartPoint(wptPoint, attributes);
  } else if (!strcmp(name, "rte") && gpx.depth == 2) {
    gpx.segmentPoints = 0;
  } else if (!strcmp(name, "rtept") && gpx.depth == 3) {
    StartPoint(rteptPoint, attributes);
  } else if (!strcmp(name, "trkseg") && gpx.depth == 3) {
    gpx.segmentPoints = 0;
  } else if (!strcmp(name, "trkpt") && gpx.depth == 4) {
    StartPoint(trkptPoint, attributes);
  }
}

static void OnEnd(void *, const char *element) {
  int depth = gpx.depth--;
  if (gpx.point != noPoint) {
    if (depth == gpx.pointDepth)
      EndPoint();
    else if (depth == gpx.pointDepth + 1)
      gpx.inName = false;
    return;
  }
  if (gpx.sweep == sweepFirst && depth == 3 && !strcmp(Local(element), "trkseg")) {
    if (gpx.segmentPoints >= 2) gpx.longSegments++;
    if (gpx.segmentPoints != 1) return;
    gpx.shortSegments++;
    // Before any longer segment, a segment of one point may yet give way
    // to the routes.
    if (gpx.longSegments == 0) gpx.segmentsLater = true;
    if (gpx.segmentsLater) return;
    BeginDay();
    CopyRow(Queued(), gpx.held);
    SuspendXml();
  }
}

// Keep text of the point's name: runs of white space one blank, none at
// either end, at most maxGpxName bytes, cut at a character's end.
static void OnText(void *, const char *bytes, int length) {
  if (!gpx.inName) return;
  for (int i = 0; i < length; i++) {
    char c = bytes[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      gpx.blankDue = gpx.nameLength > 0;
      continue;
    }
    size_t need = gpx.blankDue ? 2 : 1;
    if (gpx.nameLength + need > maxGpxName) {
      // A character cut short is taken off whole: its continuation bytes
      // and its lead byte.
      size_t n = gpx.nameLength;
      while (n > 0 && (static_cast<unsigned char>(gpx.name[n - 1]) & 0xC0) == 0x80)
        n--;
      if (n > 0 && static_cast<unsigned char>(gpx.name[n - 1]) >= 0xC0) {
        unsigned char lead = static_cast<unsigned char>(gpx.name[n - 1]);
        size_t whole = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (gpx.nameLength - (n - 1) < whole) gpx.nameLength = n - 1;
      }
      gpx.inName = false;
      return;
    }
    if (gpx.blankDue) gpx.name[gpx.nameLength++] = ' ';
    gpx.blankDue = false;
    gpx.name[gpx.nameLength++] = c;
  }
}

// Start a reading of the file from its first byte, giving the rows of
// sweep.
static bool StartSweep(Sweep sweep) {
  gpx.sweep = sweep;
  gpx.status = xmlGoing;
  gpx.anyElement = gpx.anyContent = false;
  gpx.depth = 0;
  gpx.point = noPoint;
  gpx.inName = false;
  gpx.segmentPoints = 0;
  gpx.dayGiven = false;
  gpx.nrQueued = gpx.nextQueued = 0;
  return StartXml({OnStart, OnEnd, OnText, nullptr});
}

bool StartGpxPass(ExportReader *reader) {
  gpx.reader = reader;
  gpx.found = GpxFound{};
  gpx.offGlobeTracks = gpx.offGlobeRoutes = 0;
  gpx.longSegments = gpx.shortSegments = gpx.routePoints = 0;
  gpx.segmentsLater = false;
  return StartSweep(sweepFirst);
}

// The file has been read to its end in its first reading: whether its days
// come in another.
static bool NextSweep(ExportReader *reader) {
  if (gpx.sweep != sweepFirst) return false;
  waypoints.filled = true;
  if (!gpx.anyContent) {
    gpx.found.refused = true;
    snprintf(gpx.found.error, sizeof gpx.found.error, "it holds no track, route or waypoint");
    return false;
  }
  Sweep next = gpx.longSegments == 0 && gpx.routePoints > 0 ? sweepRoutes : sweepSegments;
  if (next == sweepSegments) {
    gpx.found.nrOffGlobe += gpx.offGlobeTracks;
    if (!gpx.segmentsLater) return false;
  }
  // The routes are read again from the start: a file that cannot go back
  // is a read error, not a file without days.
  if (!RereadExport(reader) || !StartSweep(next)) {
    reader->rewindFailed = true;
    return false;
  }
  return true;
}

bool ReadGpxRow(ExportReader *reader, Row *row) {
  while (gpx.nextQueued == gpx.nrQueued) {
    gpx.nrQueued = gpx.nextQueued = 0;
    if (gpx.found.refused || gpx.status == xmlRefused) {
      if (!gpx.found.refused) {
        gpx.found.refused = true;
        XmlError(gpx.found.error, sizeof gpx.found.error);
      }
      reader->ended = true;
      EndXml();
      return false;
    }
    if (gpx.status == xmlSuspended) {
      gpx.status = ResumeXml();
      continue;
    }
    if (gpx.status == xmlDone) {
      if (NextSweep(reader)) continue;
      gpx.found.nrOffGlobe += gpx.offGlobeRoutes;
      gpx.offGlobeRoutes = 0;
      reader->ended = true;
      EndXml();
      return false;
    }
    int found = FillExportBlock(reader);
    if (found == readFailed) {
      reader->ended = true;
      EndXml();
      return false;
    }
    gpx.status = ParseXml(reader->block + reader->blockStart, reader->blockEnd - reader->blockStart,
                          found == lastRow);
    reader->blockStart = reader->blockEnd;
  }
  CopyRow(row, gpx.queue[gpx.nextQueued++]);
  return true;
}
