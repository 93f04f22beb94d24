// The GPX file of a follow run, NAME-stops.gpx beside NAME.xml, for phone apps and
// other navigators: the POIs as waypoints, one route a day (its start, then
// the day's own choice of locations) and a track of every route point.
// GPX wants its waypoints, routes and track in that order, and each of them
// comes from a walk through the whole export: an output of several passes
// (gpxOutput), whose state is its own.
#ifndef GPXWRITER_H
#define GPXWRITER_H

#include "output/output.h"

// What the GPX file's name adds to the tour's base name: never NAME.gpx,
// which may be the GPX file the run reads.
constexpr char gpxSuffix[] = "-stops.gpx";

// Open the GPX file of the conversion beside its tour file and write its
// head. A file that cannot be opened is reported.
void OpenGpxOutput(const Conversion &conversion);

// Take place for the part being written.
void PutGpxPlace(const Place &place);

// After the rows of a pass: move on to the next part. Return whether it
// needs the export's rows once more.
bool GpxOutputPassesLeft();

// Write the tail, close the file and report what it holds, or that it could
// not be written; with whole false, that it is unfinished, since exportName
// changed. Return whether a report of what it holds came.
bool FinishGpxOutput(bool whole, const char *exportName);

inline constexpr Output gpxOutput = {
    OpenGpxOutput, PutGpxPlace, GpxOutputPassesLeft, FinishGpxOutput, nullptr, 1, 1};

#endif
