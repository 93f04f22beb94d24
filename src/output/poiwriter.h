// The POI writer: collects the named points of interest of the export into a
// comma-separated list for SmartST's POI import: an output of one pass
// (poiOutput), whose state is its own.
#ifndef POIWRITER_H
#define POIWRITER_H

#include "input/reader.h"
#include "output/output.h"

// Open the conversion's POI file. A file that cannot be opened is reported;
// the rows are still counted, for what they show.
void OpenPoiOutput(const Conversion &conversion);

// Write place when it is a point of interest.
void PutPoiPlace(const Place &place);

// Close the file and report how many POIs it holds, or that it could not be
// written; with whole false, that it is unfinished, since exportName
// changed. Return whether the count was reported.
bool FinishPoiOutput(bool whole, const char *exportName);

inline constexpr Output poiOutput = {
    OpenPoiOutput, PutPoiPlace, NoPassesLeft, FinishPoiOutput, nullptr, 1, 1};

// The POIs of the rows so far, counted also without a file.
Count PoisFound();

#endif
