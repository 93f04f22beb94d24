// The POI writer: collects the named points of interest of the export into a
// comma-separated list for SmartST's POI import.
#ifndef POIWRITER_H
#define POIWRITER_H

#include "reader.h"

// POIs of the export so far; each is written while the POI file is open.
extern Count nrPOIs;

// With step non-zero, open the POI file on the first call, then write the
// current row when it is a point of interest. With step 0, close the file
// and report how many POIs it holds.
void DoPOI(int step);

#endif
