// The multi-stop tour writer: thins the route points of the export out by
// distance into the tour file of a NAVMAN N20.
#ifndef TOURWRITER_H
#define TOURWRITER_H

#include "reader.h"

// Whether the export has shown a route row: a distance that reads as a number.
extern bool routeRowSeen;
// Whether the export has shown a row that is not empty before its first route
// row at or beyond the first distance; without route rows, anywhere.
extern bool textRowSeen;

// With step non-zero, open the tour file on the first call, then take the
// current row as a location when the route has gone far enough. With step 0,
// finish the file and report how many locations it holds.
void DoRoute(int step);

#endif
