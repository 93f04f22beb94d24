// The settings: the three file names of a run and the two distances' defaults,
// and the program's identification. The command line sets the names once,
// before the conversion starts; nothing changes them afterwards. The distances
// a run uses are its conversion's, decided by the driver.
#ifndef SETTINGS_H
#define SETTINGS_H

#include <cstddef>

// The most characters of a base name: with an extension, 99 characters, as in
// the file name fields of the program's first versions.
constexpr size_t maxBaseName = 95;
// A file name field: a base name of maxBaseName characters, each up to four
// bytes of UTF-8 where names are UTF-8 (Windows), its extension and the
// terminator.
constexpr size_t fileNameSize = maxBaseName * 4 + sizeof ".txt";

struct Settings {
  char exportName[fileNameSize]; // the tour planner's text export, read
  char tourName[fileNameSize];   // the multi-stop tour, written
  char poiName[fileNameSize];    // the POI list, written
  float firstKm;                 // by default, route distance at which the taking starts
  float nextKm;                  // by default, least distance between two locations
};

// The settings of this run, with the defaults until the command line sets them.
extern Settings settings;

// The identification line, printed first.
extern const char identification[];

#endif
