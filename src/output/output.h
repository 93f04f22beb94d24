// What every output of a run has in common: the conversion it writes, and
// the four calls by which the driver runs it. An output is opened, passed
// every place of the export's writing pass, then asked whether it needs the
// places once more, pass after pass, each from the export's start; last it
// is finished. Its state is its own; nothing but these calls reaches it.
#ifndef OUTPUT_H
#define OUTPUT_H

#include "choice/follow.h"
#include "input/reader.h"

// How the locations of a run are chosen.
enum Choosing {
  byDistances, // thinned out by the two distances
  byFitWithin, // by the distances the fit found for at most the device's count
  byFitFewest, // by the distances the fit found for the fewest locations
  byFollowing, // the locations that follow the route best
};

// What a run converts into, decided before any output opens.
struct Conversion {
  Choosing choosing;          // how the locations are chosen
  Count most;                 // the locations the device takes in one tour
  float firstKm;              // by distance: route distance at which the taking starts
  float nextKm;               // by distance: least distance between two locations
  const Following *following; // following the route: what was chosen; nullptr otherwise
  const char *tourName;       // the multi-stop tour, NAME.xml; the files beside it follow it
  const char *poiName;        // the POI list
};

// One output of a run: a file, or a set of files written one after another.
struct Output {
  // Open the file and write its head. A failure is told; the places are
  // still taken, for what they show.
  void (*open)(const Conversion &conversion);
  // Take the next place of the pass under way: in a follow run walked and
  // marked, and at the pass's end the end of a day still open.
  void (*put)(const Place &place);
  // After a pass: move on to the next part. Return whether it needs the
  // export's rows once more.
  bool (*passesLeft)();
  // Write the tail, close the file and report what it holds. With whole
  // false the export changed while it was read: the file is told unfinished
  // instead. Return whether a report of what it holds came.
  bool (*finish)(bool whole, const char *exportName);
  // Take a place of the reading that chooses the route to follow, before
  // the output opens; nullptr for an output that needs none.
  void (*see)(const Place &place);
  size_t filesOpen;    // files it has open at once, at most
  size_t filesWritten; // files it writes in one run, at most
};

// For an output that needs one pass.
inline bool NoPassesLeft() {
  return false;
}

#endif
