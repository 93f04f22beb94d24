// The GPX reader: a GPX 1.1 or 1.0 file read, through the XML service, into
// the rows an export gives, so that every later layer takes it alike. A day
// is a track segment, in the file's order; a file without a segment of two
// or more points takes a day for each route, and one with neither a day for
// each segment of one point. A route point is a <trkpt> or <rtept> whose lat
// and lon are decimals on the globe, rounded on their text to whole
// hundred-thousandths of a degree, half away from zero; its distance is the
// km along its day on the globe from the day's start, with one decimal. A
// POI is a <wpt> with a position on the globe and a name. Names are a
// point's own <name>, white space at either end dropped and each run of it
// inside made one blank, at most maxGpxName bytes, cut at a character's end;
// a route point without one takes, as a location, the nearest waypoint's.
// Points without a position on the globe are counted, never given.
// A pass reads the file once, or twice for a file whose days are its
// routes: the first reading tells whether it has track segments.
#ifndef GPX_H
#define GPX_H

#include "input/reader.h"
#include "input/route.h"

// Bytes of a name at most.
constexpr size_t maxGpxName = 255;

// What the GPX file holds, as its passes found it.
struct GpxFound {
  bool refused;     // not a GPX document: why and where are in error
  char error[160];  // "line 4, column 2: mismatched tag"
  Count nrOffGlobe; // points without a position on the globe, left out
};

// Whether fileName ends in ".gpx", in any case.
bool IsGpxName(const char *fileName);

// Start a pass of reader, at the start of its GPX file. Return false when
// the parser cannot be made.
bool StartGpxPass(ExportReader *reader);

// Read the next row of reader's GPX file into row, as ReadExportRow does.
bool ReadGpxRow(ExportReader *reader, Row *row);

// A name for row, a GPX file's route point without one of its own: the
// nearest of the file's first 1024 named waypoints within 0.25 km, into
// *name and *length. Return false when there is none. The waypoints are
// those of the first reading of the file.
bool WaypointNear(const Row &row, const char **name, size_t *length);

// Forget the waypoints of the file read before, for another.
void ForgetWaypoints();

// What the passes so far found.
const GpxFound &GpxFoundSoFar();

#endif
