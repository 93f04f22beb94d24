// rovalto: converts a Motorrad Tourenplaner text export into a multi-stop tour
// and a POI list for the Navman SmartST navigation software on a NAVMAN N20.
//
// The driver: the identification, how the locations are chosen and the
// settings report, then the conversion, which runs the table of outputs over
// the export; last the exit status.
#include "base/console.h"
#include "base/distance.h"
#include "base/files.h"
#include "base/filetable.h"
#include "base/settings.h"
#include "choice/fit.h"
#include "choice/follow.h"
#include "dialog/cmdline.h"
#include "dialog/question.h"
#include "input/gpx.h"
#include "input/reader.h"
#include "output/earlier.h"
#include "output/outputs.h"

#include <algorithm>
#include <cstdio>

// Choose the distances by the fit of reader's export, open, into
// *conversion. Return false after reporting that the export could not be
// read for the fit (a change is told by the caller).
static bool ChooseByFit(ExportReader *reader, Conversion *conversion) {
  float first = conversion->firstKm, next = conversion->nextKm;
  Count locations = 0;
  FitOutcome outcome = FitDistances(reader, conversion->most, &first, &next, &locations);
  // A read error is told as the export is closed.
  if (outcome == fitReadFailed || outcome == fitChanged) return false;
  if (outcome == fitNotRewindable) {
    ReportErrorSentence("'%s' is not a file that can be read twice; fit and follow need one",
                        reader->name);
    return false;
  }
  if (outcome == fitKeptDefaults) return true;
  conversion->firstKm = first;
  conversion->nextKm = next;
  conversion->choosing = outcome == fitWithinLimit ? byFitWithin : byFitFewest;
  return true;
}

// Choose the locations that follow the route of reader's export, open, into
// *following. Return false after reporting that the export could not be read
// for it (a change is told by the caller).
static bool ChooseToFollow(ExportReader *reader, Count most, Following *following) {
  FollowOutcome outcome = FollowRoute(reader, most, following, SeeEach<followingOutputs>);
  // A read error is told as the export is closed.
  if (outcome == followReadFailed || outcome == followChanged) return false;
  if (outcome == followNotRewindable) {
    ReportErrorSentence("'%s' is not a file that can be read twice; fit and follow need one",
                        reader->name);
    return false;
  }
  return true;
}

static void ReportSettings(const Conversion &conversion) {
  Choosing chosen = conversion.choosing;
  if (IsGpxName(settings.exportName)) {
    printf("input file (gpx) = '%s':\n", settings.exportName);
    printf("       tracks, routes and waypoints of a GPX file\n");
    printf("       coordonates in decimal degrees\n");
  } else {
    printf("input file (txt) = '%s':\n", settings.exportName);
    printf("       text export of Motorrad Tourenplaner 2007/2008\n");
    printf("       coordonates in degrees, minutes and seconds\n");
  }
  printf("output tour file (xml) = '%s':\n", conversion.tourName);
  printf("       coordonates in decimal degrees\n");
  if (chosen == byFollowing) {
    printf("       locations chosen to follow the route, at most %lld per tour\n", conversion.most);
  } else {
    printf("       first location after %.0f km\n", static_cast<double>(conversion.firstKm));
    printf("       next locations after %.0f km\n", static_cast<double>(conversion.nextKm));
  }
  if (chosen == byFitWithin) printf("       chosen for at most %lld locations\n", conversion.most);
  if (chosen == byFitFewest) printf("       chosen for the fewest locations this export allows\n");
  printf("output POI file (csv) = '%s':\n", conversion.poiName);
  printf("       coordonates in decimal degrees\n");
  printf("\n");
}

// Name a file that shows no sign of being an export, after the counts, so
// that a rider who took the wrong file learns it before using the outputs.
static void WarnAboutExport(const ExportReader &reader, const Following *following) {
  bool textRowSeen, routeRowSeen;
  TourRowsSeen(&textRowSeen, &routeRowSeen);
  if (textRowSeen && !routeRowSeen && PoisFound() == 0)
    printf("Warning: '%s' has no route point and no POI: is it a text export of the tour "
           "planner?\n\n",
           reader.name);
  if (reader.nrRowsNotDms > 0)
    printf("Warning: '%s' has positions that are not in degrees, minutes and seconds (rows: "
           "%lld)!\n\n",
           reader.name, reader.nrRowsNotDms);
  if (reader.gpx && GpxFoundSoFar().nrOffGlobe > 0) {
    Count n = GpxFoundSoFar().nrOffGlobe;
    printf("Warning: '%s' has %lld %s without a position on the globe; %s left out!\n\n",
           reader.name, n, n == 1 ? "point" : "points", n == 1 ? "it was" : "they were");
  }
  if (reader.nrLongLines > 0)
    printf("Warning: %lld lines of '%s' are longer than %zu bytes; each was read as several "
           "rows.\n\n",
           reader.nrLongLines, reader.name, maxRowLength);
  if (!following) return;
  Count told = std::min(following->nrThinned, static_cast<Count>(maxThinnedTold));
  for (Count i = 0; i < told; i++)
    printf("Warning: day %lld has more than %zu route points; its locations were chosen from "
           "one route point in %lld.\n\n",
           following->thinned[i].day, maxDayPoints, following->thinned[i].stride);
  if (following->nrThinned > told)
    printf("Warning: %lld more days have more than %zu route points.\n\n",
           following->nrThinned - told, maxDayPoints);
  if (following->nrDays > maxDayFiles)
    printf("Warning: more than %lld days: no tour file for each day.\n\n", maxDayFiles);
}

// Decide, for reader's export, open, how its locations are chosen, as
// asked, into *conversion: the choice of the route to follow, the rider's
// answer, the fit. Return false when that failed, told, and the export is
// closed; otherwise the export is at its start for the writing pass.
static bool Choose(ExportReader *reader, Asked asked, Conversion *conversion,
                   Following *following) {
  bool read = true;
  bool dropped = asked == askedRider;
  if (asked == askedFollow || asked == askedRider) {
    StartProgress("Choosing the locations", StreamSize(reader->stream));
    read = ChooseToFollow(reader, conversion->most, following);
    // The question, or the reports, take the progress line's place.
    EndProgress();
    // A broken GPX file is told as the export is closed.
    if (ExportRefused(*reader)) read = false;
  }
  // A dropped photo or document has nothing to ask about, and a device file
  // made from it would be junk.
  if (read && asked == askedRider && !ExportChanged(*reader) && following->nrDays == 0 &&
      following->nrPois == 0) {
    if (reader->gpx)
      ReportError("'%s' has no point on the globe: nothing was converted", reader->name);
    else
      ReportError("'%s' is no text export of the tour planner: nothing was converted",
                  reader->name);
    read = false;
  }
  if (read && asked == askedRider) {
    read = AskHowToChoose(reader, *following, &asked, &conversion->firstKm, &conversion->nextKm);
    // The rider may have exported the tour anew while the question waited:
    // then nothing is written.
    if (read) read = VerifyExport(reader);
  }
  if (read && asked == askedFit) {
    StartProgress("Choosing the distances", StreamSize(reader->stream));
    read = ChooseByFit(reader, conversion) && !ExportRefused(*reader);
    EndProgress();
  }
  // A dropped export gets its picture and GPX file whatever the answer:
  // the days walked for the question draw the tour taken by distance.
  if (asked == askedFollow) conversion->choosing = byFollowing;
  if (asked == askedFollow || dropped) conversion->following = following;
  // Whichever pass found it, the change is told here, and only here.
  if (ExportChanged(*reader)) {
    ReportError("'%s' changed while it was read: convert it again", reader->name);
    read = false;
  }
  if (!read || !RewindExport(reader)) {
    CloseExport(reader);
    return false;
  }
  return true;
}

// Convert the export into the outputs, with the locations chosen as the
// command line asks: the passes of the choice first where it needs them, no
// output opened before the export has been read for them. Without an export
// no output is opened, so that nothing the rider has is emptied.
static void Convert(const CommandLine &line) {
  static ExportReader reader;
  static Following following;
  // The NAVMAN N20's count of locations, the one device the program writes
  // for.
  Conversion conversion = {byDistances, navmanN20Locations, settings.firstKm, settings.nextKm,
                           nullptr,     settings.tourName,  settings.poiName};
  Asked asked = AskedOf(line);
  // "fit" or "follow" in place of the first distance chooses the locations;
  // a next distance after it is ignored.
  if (asked == askedDistances && line.nrDistances > 0)
    ReadKm(line.distance[0], &conversion.firstKm);
  if (asked == askedDistances && line.nrDistances > 1) ReadKm(line.distance[1], &conversion.nextKm);
  // A rider who double-clicked the program has no export beside it, most
  // likely: the way that works is dropping one.
  if (line.doubleClicked && KindOfName(settings.exportName) == nameMissing) {
    printf("To convert a tour, drop its export (the .txt file the tour planner wrote) onto "
           "rovalto.exe.\n");
    FailRun();
    return;
  }
  if (asked == askedDistances) {
    ReportSettings(conversion);
    if (!OpenExport(&reader, settings.exportName)) return;
  } else {
    // The choice reads the export before anything is written, and the rider
    // is asked only about an export that opens.
    if (!OpenExport(&reader, settings.exportName)) return;
    if (!Choose(&reader, asked, &conversion, &following)) return;
    ReportSettings(conversion);
  }
  StartProgress("Writing the files", StreamSize(reader.stream));
  if (conversion.choosing == byFollowing)
    RunTable<followingOutputs>(&reader, conversion);
  else if (conversion.following)
    RunTable<droppedOutputs>(&reader, conversion);
  else
    RunTable<byDistanceOutputs>(&reader, conversion);
  WarnAboutEarlierFiles(conversion);
  WarnAboutExport(reader, conversion.choosing == byFollowing ? conversion.following : nullptr);
}

// Convert as the command line says. Return the exit status.
static int Run(int argc, char **argv) {
  if (GuardStandardStreams() != 0) return 1;
  // A console redirected into the export or an output (rovalto t > t.csv)
  // must never be read as the export or mixed into a file.
  FileTableAddConsole();
  // Each failed open is waited on, so that the rider reads why before the
  // run goes on.
  AfterFailedOpen(Pause);
  printf("%s\n", identification);
  CommandLine line;
  if (ReadCommandLine(argc, argv, &line)) Convert(line);
  printf("\n");
  Pause();
  // Messages that never reached the console must not pass for success;
  // standard error is the one place left to say so.
  if (fflush(stdout) != 0 || ferror(stdout)) {
    fputs("rovalto: can't write to the console\n", stderr);
    return 1;
  }
  return RunFailed();
}

#ifdef _WIN32
// Windows hands the command line over in UTF-16, so that any file name it
// allows reaches the program whole.
int wmain(int argc, wchar_t **argv) {
  UseUtf8Console();
  return Run(argc, CommandLineInUtf8(argc, argv));
}
#else
int main(int argc, char **argv) {
  return Run(argc, argv);
}
#endif
