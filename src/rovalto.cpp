// rovalto: converts a Motorrad Tourenplaner text export into a multi-stop tour
// and a POI list for the Navman SmartST navigation software on a NAVMAN N20.
//
// The driver: the identification, the distances and the settings report,
// then the conversion, which opens the export and both writers, hands each
// row to both, finishes and closes; last the exit status.
#include "cmdline.h"
#include "console.h"
#include "dayfiles.h"
#include "distance.h"
#include "files.h"
#include "filetable.h"
#include "fit.h"
#include "follow.h"
#include "gpxwriter.h"
#include "poiwriter.h"
#include "question.h"
#include "reader.h"
#include "settings.h"
#include "svgwriter.h"
#include "tourwriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

// Choose the distances by the fit of reader's export, open; set *chosen to
// how. Return false after reporting that the export could not be read for
// the fit.
static bool ChooseByFit(ExportReader *reader, FitOutcome *chosen) {
  float first = settings.firstKm, next = settings.nextKm;
  Count locations = 0;
  FitOutcome outcome = FitDistances(reader, &first, &next, &locations);
  // A read error is told as the export is closed.
  if (outcome == fitReadFailed) return false;
  if (outcome == fitNotRewindable) {
    ReportErrorSentence("'%s' is not a file that can be read twice; fit and follow need one",
                        reader->name);
    return false;
  }
  settings.firstKm = first;
  settings.nextKm = next;
  *chosen = outcome;
  return true;
}

// Choose the locations that follow the route of reader's export, open, into
// *following. Return false after reporting that the export could not be read
// for it.
static bool ChooseToFollow(ExportReader *reader, Following *following) {
  FollowOutcome outcome = FollowRoute(reader, following);
  // A read error is told as the export is closed.
  if (outcome == followReadFailed) return false;
  if (outcome == followNotRewindable) {
    ReportErrorSentence("'%s' is not a file that can be read twice; fit and follow need one",
                        reader->name);
    return false;
  }
  return true;
}

// How the locations of a run are chosen, for the settings report.
enum Choosing { byDistances, byFitWithin, byFitFewest, byFollowing };

static Choosing ChoosingOf(FitOutcome outcome) {
  if (outcome == fitWithinLimit) return byFitWithin;
  if (outcome == fitFewest) return byFitFewest;
  return byDistances;
}

static void ReportSettings(Choosing chosen) {
  printf("input file (txt) = '%s':\n", settings.exportName);
  printf("       text export of Motorrad Tourenplaner 2007/2008\n");
  printf("       coordonates in degrees, minutes and seconds\n");
  printf("output tour file (xml) = '%s':\n", settings.tourName);
  printf("       coordonates in decimal degrees\n");
  if (chosen == byFollowing) {
    printf("       locations chosen to follow the route, at most %lld per tour\n", maxLocations);
  } else {
    printf("       first location after %.0f km\n", static_cast<double>(settings.firstKm));
    printf("       next locations after %.0f km\n", static_cast<double>(settings.nextKm));
  }
  if (chosen == byFitWithin) printf("       chosen for at most %lld locations\n", maxLocations);
  if (chosen == byFitFewest) printf("       chosen for the fewest locations this export allows\n");
  printf("output POI file (csv) = '%s':\n", settings.poiName);
  printf("       coordonates in decimal degrees\n");
  printf("\n");
}

// Name a file that shows no sign of being an export, after the counts, so
// that a rider who took the wrong file learns it before using the outputs.
static void WarnAboutExport(const ExportReader &reader, const TourWriter &tour,
                            const PoiWriter &poi, const Following *following) {
  if (tour.textRowSeen && !tour.routeRowSeen && poi.nrPOIs == 0)
    printf("Warning: '%s' has no route point and no POI: is it a text export of the tour "
           "planner?\n\n",
           reader.name);
  if (reader.nrRowsNotDms > 0)
    printf("Warning: '%s' has positions that are not in degrees, minutes and seconds (rows: "
           "%lld)!\n\n",
           reader.name, reader.nrRowsNotDms);
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

// Move both of a follow run's further writers on to their next part. Return
// whether either needs the export once more.
static bool AnotherPass(GpxWriter *gpx, SvgWriter *svg) {
  bool gpxMore = GpxPassesLeft(gpx);
  return SvgPassesLeft(svg) || gpxMore;
}

// Convert the export into both outputs, with the distances the command line
// gives: in one pass, after the fit's passes where it chooses them. Without
// an export no output is opened, so that nothing the rider has is emptied.
static void Convert(const CommandLine &line) {
  static ExportReader reader;
  static TourWriter tour;
  static PoiWriter poi;
  static DayFiles days;
  static GpxWriter gpx;
  static SvgWriter svg;
  static Following following;
  static Row row;
  // "fit" or "follow" in place of the first distance chooses the locations;
  // a next distance after it is ignored. A dropped or double-clicked export
  // without distances asks how, with the locations that follow the route for
  // Enter.
  bool fit = line.nrDistances > 0 && strcmp(line.distance[0], "fit") == 0;
  bool follow = line.nrDistances > 0 && strcmp(line.distance[0], "follow") == 0;
  bool ask = (line.dropped || line.doubleClicked) && line.nrDistances == 0;
  if (!fit && !follow && line.nrDistances > 0) ReadKm(line.distance[0], &settings.firstKm);
  if (!fit && !follow && line.nrDistances > 1) ReadKm(line.distance[1], &settings.nextKm);
  // A rider who double-clicked the program has no export beside it, most
  // likely: the way that works is dropping one.
  if (line.doubleClicked && KindOfName(settings.exportName) == nameMissing) {
    printf("To convert a tour, drop its export (the .txt file the tour planner wrote) onto "
           "rovalto.exe.\n");
    FailRun();
    return;
  }
  Choosing chosen = follow ? byFollowing : byDistances;
  if (fit || ask || follow) {
    // The choice reads the export before anything is written, and the rider
    // is asked only about an export that opens.
    if (!OpenExport(&reader, settings.exportName)) return;
    bool read = true;
    if (follow || ask) read = ChooseToFollow(&reader, &following);
    if (read && ask) {
      Chosen answer = AskHowToChoose(&reader, following);
      read = answer != choseFailed;
      fit = answer == choseFit;
      follow = answer == choseFollowing;
    }
    FitOutcome outcome = fitKeptDefaults;
    if (read && fit) read = ChooseByFit(&reader, &outcome);
    if (!read || !RewindExport(&reader)) {
      CloseExport(&reader);
      return;
    }
    chosen = follow ? byFollowing : ChoosingOf(outcome);
    ReportSettings(chosen);
  } else {
    ReportSettings(chosen);
    if (!OpenExport(&reader, settings.exportName)) return;
  }
  if (follow) {
    OpenFollowingTourWriter(&tour, settings.tourName, &following);
    OpenDayFiles(&days, settings.tourName, &following);
    OpenGpxWriter(&gpx, settings.tourName, &following);
    OpenSvgWriter(&svg, settings.tourName, &following);
  } else {
    OpenTourWriter(&tour, settings.tourName, settings.firstKm, settings.nextKm);
  }
  OpenPoiWriter(&poi, settings.poiName);
  while (ReadExportRow(&reader, &row)) {
    WriteTourRow(&tour, row);
    if (follow) {
      WriteDayRow(&days, row);
      WriteGpxRow(&gpx, row);
      WriteSvgRow(&svg, row);
    }
    WritePoiRow(&poi, row);
  }
  // The GPX file's routes and track, and the picture's places, come from
  // further walks through the export, each from its start.
  while (follow && !ExportReadFailed(reader) && AnotherPass(&gpx, &svg) && RewindExport(&reader))
    while (ReadExportRow(&reader, &row)) {
      WriteGpxRow(&gpx, row);
      WriteSvgRow(&svg, row);
    }
  // A read error is told before the counts it makes incomplete.
  CloseExport(&reader);
  bool countTold = FinishTourWriter(&tour);
  if (follow) FinishSvgWriter(&svg, FinishGpxWriter(&gpx, FinishDayFiles(&days, countTold)));
  FinishPoiWriter(&poi);
  WarnAboutExport(reader, tour, poi, follow ? &following : nullptr);
}

// Convert as the command line says. Return the exit status.
static int Run(int argc, char **argv) {
  if (GuardStandardStreams() != 0) return 1;
  // A console redirected into the export or an output (rovalto t > t.csv)
  // must never be read as the export or mixed into a file.
  FileTableAddConsole();
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
