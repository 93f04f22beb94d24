// The settings: the program's identification, the three file names and the
// two distances. The command line may set them once, before the conversion
// starts; nothing changes them afterwards.
#ifndef SETTINGS_H
#define SETTINGS_H

// Identification line, printed first.
extern const char prgIdent[];
// Input file: the tour planner's text export.
extern char inMTP[100];
// Output file: the multi-stop tour.
extern char outRoute[100];
// Output file: the POI list.
extern char outPOI[100];
// Route distance in km at which the tour writer starts taking locations.
extern float firstLoc;
// Least distance in km between two locations of the tour.
extern float nextLoc;

#endif
