// Fitting the distances to the device: the two distances that give a tour of
// at most the device's count of locations, or the fewest locations the
// export allows.
#ifndef FIT_H
#define FIT_H

#include "input/reader.h"

// How the distances were chosen, or why they could not be.
enum FitOutcome {
  fitKeptDefaults,  // no route row has a distance
  fitWithinLimit,   // the tour gets from 1 up to the device's count of locations
  fitFewest,        // every day starts a location, and there are more than that
  fitReadFailed,    // a read error in one of the passes
  fitNotRewindable, // the export cannot be read again from its start (a pipe)
  fitChanged,       // the export was written while it was read
};

// Count the locations of the tour that a run with the distances first and
// next writes from reader's export, open, reading it whole from its start.
// Return -1 when the export cannot be read.
Count CountLocations(ExportReader *reader, float first, float next);

// Choose the distances for reader's export, open, into *first and *next,
// for a device that takes most locations, with the locations they give (up
// to one past most) in *locations. Return how they were chosen; with fitKeptDefaults and the
// failures nothing is set. The export is read several times, each from its
// start.
FitOutcome FitDistances(ExportReader *reader, Count most, float *first, float *next,
                        Count *locations);

#endif
