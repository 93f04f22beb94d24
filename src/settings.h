// The settings: the program's identification, the three file names and the
// two distances. The command line may set them once, before the conversion
// starts; nothing changes them afterwards.
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

// Identification line, printed first.
extern const char prgIdent[];
// Input file: the tour planner's text export.
extern char inMTP[fileNameSize];
// Output file: the multi-stop tour.
extern char outRoute[fileNameSize];
// Output file: the POI list.
extern char outPOI[fileNameSize];
// Route distance in km at which the tour writer starts taking locations.
extern float firstLoc;
// Least distance in km between two locations of the tour.
extern float nextLoc;

#endif
