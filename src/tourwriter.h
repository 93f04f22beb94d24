// The multi-stop tour writer: thins the route points of the export out by
// distance into the tour file of a NAVMAN N20.
#ifndef TOURWRITER_H
#define TOURWRITER_H

// With step non-zero, open the tour file on the first call, then take the
// current row as a location when the route has gone far enough. With step 0,
// finish the file and report how many locations it holds.
void DoRoute(int step);

#endif
