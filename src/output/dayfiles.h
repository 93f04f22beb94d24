// The day files of a follow run: one tour file for each day of a tour of 2
// to 99 days, NAME-day1.xml, NAME-day2.xml, ..., each holding the day's own
// choice of locations. An output of one pass (dayFilesOutput), whose state
// is its own; each file is written while its day is read.
#ifndef DAYFILES_H
#define DAYFILES_H

#include "base/files.h"
#include "base/settings.h"
#include "choice/follow.h"
#include "output/output.h"

// Start the day files of the conversion's choice, named after its tour file.
void OpenDayFilesOutput(const Conversion &conversion);

// Take place into the day's file.
void PutDayPlace(const Place &place);

// Finish the last day's file and report each day's file written: its count
// and its deviation; with whole false, that it is unfinished, since
// exportName changed. Return whether a count was reported.
bool FinishDayFilesOutput(bool whole, const char *exportName);

inline constexpr Output dayFilesOutput = {OpenDayFilesOutput,
                                          PutDayPlace,
                                          NoPassesLeft,
                                          FinishDayFilesOutput,
                                          nullptr,
                                          1,
                                          static_cast<size_t>(maxDayFiles)};

#endif
