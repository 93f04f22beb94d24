// The passes of a run. Only the outputs that still need the export see the
// places of a further pass; the rest have written all they take from it.
#include "output/passes.h"

#include "base/console.h"
#include "base/files.h"

#include <cstdio>

void RunPasses(ExportReader *reader, const Conversion &conversion, const OutputRow *rows, size_t n,
               ReadPass readPass) {
  bool wanted[maxOutputs];
  if (n > maxOutputs) n = maxOutputs;
  for (size_t i = 0; i < n; i++) {
    rows[i].output->open(conversion);
    wanted[i] = true;
  }
  // A follow run's places are marked with the choice, pass by pass.
  static Marker marker;
  for (bool pass = true; pass;) {
    if (conversion.following)
      StartMarker(&marker, conversion.following, conversion.choosing != byFollowing,
                  conversion.firstKm, conversion.nextKm);
    readPass(reader, conversion.following ? &marker : nullptr, wanted);
    // A pass cut short leaves the outputs that want more unfinished.
    if (ExportReadFailed(*reader) || ExportChanged(*reader) || ExportRefused(*reader)) break;
    pass = false;
    for (size_t i = 0; i < n; i++) {
      if (wanted[i]) wanted[i] = rows[i].output->passesLeft();
      pass |= wanted[i];
    }
    if (pass && !RewindExport(reader)) break;
  }
  // The reports take the progress line's place.
  EndProgress();
  // A read error is told before the counts it makes incomplete.
  CloseExport(reader);
  // A GPX file found broken only in the writing pass: what was written of
  // it is no tour.
  if (ExportRefused(*reader)) UnfinishedBecause("is no GPX file");
  bool whole = !ExportChanged(*reader) && !ExportRefused(*reader);
  bool told = false;
  for (size_t i = 0; i < n; i++) {
    told |= rows[i].output->finish(whole, reader->name);
    if (told && rows[i].endsReports) {
      printf("\n");
      told = false;
    }
  }
}
