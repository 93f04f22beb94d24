// The day files of a follow run: one tour file for each day of a tour of 2
// to 99 days, NAME-day1.xml, NAME-day2.xml, ..., each holding the day's own
// choice of locations. Open them, pass them every row of the export, then
// finish them; each file is written while its day is read.
#ifndef DAYFILES_H
#define DAYFILES_H

#include "files.h"
#include "follow.h"
#include "settings.h"

// What each day's file came to, for the report.
struct DayFileTold {
  Count nrLocations; // locations written
  bool written;      // the file was written whole
};

// The day files being written.
struct DayFiles {
  const Following *following;    // what was chosen
  const char *tourName;          // the whole tour's file, NAME.xml
  char name[fileNameSize + 6];   // the open day's file: "-day99" more
  OutFile file;                  // that file; file.stream is nullptr when none is open
  FollowCursor cursor;           // where the rows stand
  bool paused;                   // a failure was reported, with the pause after it
  DayFileTold told[maxDayFiles]; // each day's file
};

// Start the day files of following, named after the tour file tourName.
void OpenDayFiles(DayFiles *days, const char *tourName, const Following *following);

// Take row, split, into the day's file.
void WriteDayRow(DayFiles *days, const Row &row);

// Finish the last day's file and report each day's file written: its count
// and its deviation. Return whether a report came, or already countTold (the
// tour file's count came before): the empty line after them is the last
// report's to write.
bool FinishDayFiles(DayFiles *days, bool countTold);

#endif
