// Fitting the distances to the device: the two distances that give a tour of
// at most 14 locations, or the fewest locations the export allows.
#ifndef FIT_H
#define FIT_H

#include "reader.h"

// How the distances were chosen.
enum FitOutcome {
  fitKeptDefaults, // the export cannot be read, or no route row has a distance
  fitWithinLimit,  // the tour gets from 1 to 14 locations
  fitFewest,       // every day starts a location, and there are more than 14
};

// Count the locations of the tour that a run with the distances first and
// next writes from the export settings.exportName, up to one past the device's limit.
// Return -1 when the export cannot be read.
Count CountLocations(float first, float next);

// Choose the distances for the export settings.exportName into *first and *next, with the
// locations they give (up to one past the device's limit) in *locations.
// Return how they were chosen; with fitKeptDefaults nothing is set.
FitOutcome FitDistances(float *first, float *next, Count *locations);

#endif
