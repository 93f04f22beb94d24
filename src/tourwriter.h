// The multi-stop tour writer: thins the route points of the export out by
// distance into the tour file of a NAVMAN N20.
#ifndef TOURWRITER_H
#define TOURWRITER_H

#include "reader.h"

// Route rows of the export so far: rows whose distance reads as a number.
extern Count nrRouteRows;

// With step non-zero, open the tour file on the first call, then take the
// current row as a location when the route has gone far enough. With step 0,
// finish the file and report how many locations it holds.
void DoRoute(int step);

#endif
