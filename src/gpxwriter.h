// The GPX file of a follow run, NAME.gpx beside NAME.xml, for phone apps and
// other navigators: the POIs as waypoints, one route a day (its start, then
// the day's own choice of locations) and a track of every route point.
// GPX wants its waypoints, routes and track in that order, and each of them
// comes from a walk through the whole export: an output of several passes
// (gpxOutput).
#ifndef GPXWRITER_H
#define GPXWRITER_H

#include "files.h"
#include "follow.h"
#include "output.h"
#include "reader.h"
#include "tourwriter.h"

// What the writer takes from the rows it is passed.
enum GpxPart {
  gpxWaypoints, // the writing pass: the POIs, and for a short trip the routes held
  gpxRoutes,    // a pass of its own for the routes of a trip of more than 14 days
  gpxTrack,     // the last pass: the route points
  gpxDone,      // nothing more
};

// A GPX file being written.
struct GpxWriter {
  BesideTour out;             // the file
  const Following *following; // what was chosen
  GpxPart part;               // what the rows passed now are for
  bool held;                  // the routes are held from the writing pass
  FollowCursor cursor;        // where the routes stand in the days' own choices
  size_t routePoints;         // written: the points of the day's route so far
  RouteWalk walk;             // where the track stands
  Row leftOut;                // the track's latest route point that its stride left out
  Row route[maxLocations][maxLocations + 1]; // held: each day's start and locations
  uint8_t nrHeld[maxLocations];              // held: the rows of each day
  Count nrLocations;                         // route points but the days' starts
  Count nrPOIs;                              // waypoints written
};

// Open the GPX file of following beside the tour file tourName and write its
// head. A file that cannot be opened is reported.
void OpenGpxWriter(GpxWriter *gpx, const char *tourName, const Following *following);

// Take row, split, for the part being written.
void WriteGpxRow(GpxWriter *gpx, const Row &row);

// After the rows of a pass: move on to the next part. Return whether it
// needs the export's rows once more.
bool GpxPassesLeft(GpxWriter *gpx);

// Write the tail, close the file and report what it holds, or that it could
// not be written; with whole false, that it is unfinished, since exportName
// changed. Return whether a report of what it holds came.
bool FinishGpxWriter(GpxWriter *gpx, bool whole = true, const char *exportName = "");

// The GPX file as an output, beside the conversion's tour file.
void OpenGpxOutput(const Conversion &conversion);
void PutGpxRow(const Row &row);
bool GpxOutputPassesLeft();
bool FinishGpxOutput(bool whole, const char *exportName);
inline constexpr Output gpxOutput = {OpenGpxOutput,   PutGpxRow, GpxOutputPassesLeft,
                                     FinishGpxOutput, 1,         1};

#endif
