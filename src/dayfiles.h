// The day files of a follow run: one tour file for each day of a tour of 2
// to 99 days, NAME-day1.xml, NAME-day2.xml, ..., each holding the day's own
// choice of locations. An output of one pass (dayFilesOutput); each file is
// written while its day is read.
#ifndef DAYFILES_H
#define DAYFILES_H

#include "files.h"
#include "follow.h"
#include "output.h"
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
// and its deviation; with whole false, that it is unfinished, since
// exportName changed. Return whether a count was reported.
bool FinishDayFiles(DayFiles *days, bool whole = true, const char *exportName = "");

// The day files as an output, named after the conversion's tour file.
void OpenDayFilesOutput(const Conversion &conversion);
void PutDayRow(const Row &row);
bool FinishDayFilesOutput(bool whole, const char *exportName);
inline constexpr Output dayFilesOutput = {
    OpenDayFilesOutput,   PutDayRow, NoPassesLeft,
    FinishDayFilesOutput, 1,         static_cast<size_t>(maxDayFiles)};

#endif
