// The multi-stop tour writer: thins the route points of the export out by
// distance into the tour file of a NAVMAN N20. Open it, pass it every row of
// the export, then finish it.
#ifndef TOURWRITER_H
#define TOURWRITER_H

#include "files.h"
#include "reader.h"
#include "thinning.h"

// A tour file being written, and what the rows showed on the way.
struct TourWriter {
  OutFile file;      // the tour file; file.stream is nullptr when it did not open
  const char *name;  // its name, for the reports
  float firstKm;     // route distance at which the taking starts
  float nextKm;      // least distance between two locations
  Thinning thinning; // where the thinning stands
  Count nrLocations; // locations taken
  bool routeRowSeen; // a row's distance read as a number
  bool textRowSeen;  // a row was not empty before the taking started
};

// Open the tour file fileName for tour, taking locations by the distances
// first and next, and write its head. A file that cannot be opened is
// reported; the rows are still looked at, for what they show.
void OpenTourWriter(TourWriter *tour, const char *fileName, float first, float next);

// Take row, split, as a location when the route has gone far enough.
void WriteTourRow(TourWriter *tour, const Row &row);

// Write the tail, close the file and report how many locations it holds,
// or that it could not be written.
void FinishTourWriter(TourWriter *tour);

#endif
