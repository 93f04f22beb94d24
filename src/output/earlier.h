// Files of an earlier run beside the tour: day files of its base name that
// this run did not write, and a picture and GPX file that a run without
// follow does not write. Named in one warning each, so that the rider does
// not take them for this run's; never deleted, as they may be all the
// rider has of an earlier tour.
#ifndef EARLIER_H
#define EARLIER_H

#include "output/output.h"

// Warn about the files of tourName's base name that conversion, just run,
// did not write.
void WarnAboutEarlierFiles(const Conversion &conversion);

#endif
