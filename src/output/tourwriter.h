// The multi-stop tour writer: thins the route points of the export out by
// distance into the tour file of a NAVMAN N20, or takes the locations a
// follow run chose. An output of one pass (tourOutput), whose state is its
// own; the texts of a tour file serve the day files, the GPX file and the
// picture, too.
#ifndef TOURWRITER_H
#define TOURWRITER_H

#include "base/files.h"
#include "base/settings.h"
#include "choice/follow.h"
#include "input/reader.h"
#include "input/thinning.h"
#include "output/output.h"

// Open the conversion's tour file and write its head, taking locations by
// its distances or, following the route, those chosen for the whole tour. A
// file that cannot be opened is reported; the rows are still looked at, for
// what they show.
void OpenTourOutput(const Conversion &conversion);

// Take place as a location when the route has gone far enough, or when the
// choice marks it.
void PutTourPlace(const Place &place);

// Write the tail, close the file and report how many locations it holds,
// or that it could not be written; with whole false, that it is unfinished,
// since exportName changed. Return whether a count was reported.
bool FinishTourOutput(bool whole, const char *exportName);

inline constexpr Output tourOutput = {
    OpenTourOutput, PutTourPlace, NoPassesLeft, FinishTourOutput, nullptr, 1, 1};

// What the tour file's rows showed: whether any row held text, and any a
// route distance. An export shows both.
void TourRowsSeen(bool *text, bool *route);

// The head of every tour file, with the device's placeholder item.
void WriteTourHead(OutFile *file);

// Write row, split, whose positions converted, as a location of a tour file.
// By distance it is named by its distance text; in a follow run its name
// (when it has one) goes in front, and with day above 0 the day, too:
// "Day 2: Landeck (215.2 km)".
void WriteTourLocation(OutFile *file, const Row &row, bool following, Count day);

// Write the name of row, split, as a location of a follow run, escaped:
// "Meran (160.0 km)", or with day "Day 2: Landeck (215.2 km)" (day 0: none).
void PutLocationName(OutFile *file, const Row &row, Count day);

// The tail of every tour file.
void WriteTourTail(OutFile *file);

// A file that a follow run writes beside the tour file NAME.xml, named as
// it with another extension, and whose contents are named after the tour.
struct BesideTour {
  OutFile file;                // the file; file.stream is nullptr when it did not open
  char name[fileNameSize + 6]; // its name: NAME-stops.gpx for NAME.xml, 6 bytes more
  const char *tour;            // the tour's name: NAME without its folder (.xml follows)
  size_t tourLength;           // bytes of it
};

// Open the file beside the tour file tourName with extension (".gpx"). A
// file that cannot be opened is reported. Return whether it opened.
bool OpenBesideTour(BesideTour *beside, const char *tourName, const char *extension);

// Write the tour's name into the file as XML text, in UTF-8.
void PutTourName(BesideTour *beside);

#endif
