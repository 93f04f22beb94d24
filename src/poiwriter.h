// The POI writer: collects the named points of interest of the export into a
// comma-separated list for SmartST's POI import. Open it, pass it every row
// of the export, then finish it.
#ifndef POIWRITER_H
#define POIWRITER_H

#include "files.h"
#include "output.h"
#include "reader.h"

// A POI file being written.
struct PoiWriter {
  OutFile file;     // the POI file; file.stream is nullptr when it did not open
  const char *name; // its name, for the reports
  Count nrPOIs;     // POIs of the export so far, counted also without a file
};

// Open the POI file fileName for poi. A file that cannot be opened is
// reported; the rows are still counted, for what they show.
void OpenPoiWriter(PoiWriter *poi, const char *fileName);

// Write row, split, when it is a point of interest.
void WritePoiRow(PoiWriter *poi, const Row &row);

// Close the file and report how many POIs it holds, or that it could not be
// written; with whole false, that it is unfinished, since exportName
// changed. Return whether the count was reported.
bool FinishPoiWriter(PoiWriter *poi, bool whole = true, const char *exportName = "");

// The POI file as an output.
void OpenPoiOutput(const Conversion &conversion);
void PutPoiRow(const Row &row);
bool FinishPoiOutput(bool whole, const char *exportName);
inline constexpr Output poiOutput = {OpenPoiOutput, PutPoiRow, NoPassesLeft, FinishPoiOutput, 1, 1};

// The POIs of the rows so far, counted also without a file.
Count PoisFound();

#endif
