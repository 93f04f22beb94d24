// rovalto: converts a Motorrad Tourenplaner text export into a multi-stop tour
// and a POI list for the Navman SmartST navigation software on a NAVMAN N20.
//
// The driver: the identification, the command line and the settings report,
// the conversion loop that hands each row of the export to both writers, and
// the exit status.
#include "console.h"
#include "distance.h"
#include "fit.h"
#include "openfiles.h"
#include "poiwriter.h"
#include "reader.h"
#include "settings.h"
#include "thinning.h"
#include "tourwriter.h"

#include <cstdio>
#include <cstring>

// The longest base name whose file names, with their four-character
// extensions, still fit the file name fields.
constexpr size_t maxBaseName = sizeof inMTP - sizeof ".txt";
static_assert(sizeof outRoute == sizeof inMTP && sizeof outPOI == sizeof inMTP);

// Set the settings from the command line and report them. Return 0, or -1
// after reporting a base name that does not fit the file name fields.
static int CmdLine(int argc, char **argv) {
  // "fit" in place of the first distance chooses both; a next distance after
  // it is ignored.
  bool fit = (argc == 3 || argc == 4) && strcmp(argv[2], "fit") == 0;
  switch (argc) {
  case 4:
    if (!fit) ReadKm(argv[3], &nextLoc);
    [[fallthrough]];
  case 3:
    if (!fit) ReadKm(argv[2], &firstLoc);
    [[fallthrough]];
  case 2:
    // Refused rather than shortened: a cut name would read or overwrite
    // some other file.
    if (strlen(argv[1]) > maxBaseName) {
      ReportError("base name '%s' is longer than %zu characters", argv[1], maxBaseName);
      return -1;
    }
    snprintf(inMTP, sizeof inMTP, "%s.txt", argv[1]);
    snprintf(outRoute, sizeof outRoute, "%s.xml", argv[1]);
    snprintf(outPOI, sizeof outPOI, "%s.csv", argv[1]);
    break;
  default:
    printf("\nusage: rovalto [file-names [first-location [next-location]]]\n");
    printf("e.g.   rovalto \n");
    printf("       rovalto myFile\n");
    printf("       rovalto myFile 20\n");
    printf("       rovalto myFile 20 10\n\n");
  }

  FitOutcome chosen = fit ? FitDistances() : fitKeptDefaults;
  printf("input file (txt) = '%s':\n", inMTP);
  printf("       text export of Motorrad Tourenplaner 2007/2008\n");
  printf("       coordonates in degrees, minutes and seconds\n");
  printf("output tour file (xml) = '%s':\n", outRoute);
  printf("       coordonates in decimal degrees\n");
  printf("       first location after %.0f km\n", static_cast<double>(firstLoc));
  printf("       next locations after %.0f km\n", static_cast<double>(nextLoc));
  if (chosen == fitAtMost14) printf("       chosen for at most %lld locations\n", maxLocations);
  if (chosen == fitFewest) printf("       chosen for the fewest locations this export allows\n");
  printf("output POI file (csv) = '%s':\n", outPOI);
  printf("       coordonates in decimal degrees\n");
  printf("\n");
  return 0;
}

// Name a file that shows no sign of being an export, after the counts, so
// that a rider who took the wrong file learns it before using the outputs.
static void WarnAboutExport() {
  if (textRowSeen && !routeRowSeen && nrPOIs == 0)
    printf("Warning: '%s' has no route point and no POI: is it a text export of the tour "
           "planner?\n\n",
           inMTP);
  if (nrRowsNotDms > 0)
    printf("Warning: '%s' has positions that are not in degrees, minutes and seconds (rows: "
           "%lld)!\n\n",
           inMTP, nrRowsNotDms);
}

int main(int argc, char **argv) {
  if (GuardStandardStreams() != 0) return 1;
  // A console redirected into the export or an output (rovalto t > t.csv)
  // must never be read as the export or mixed into a file.
  OpenFileTableAddConsole();
  printf("%s\n", prgIdent);
  if (CmdLine(argc, argv) == 0) {
    // The first pass carries no row: it opens the input, then both outputs.
    while (GetMTP() == 0) {
      DoRoute(1);
      DoPOI(1);
    }
    DoRoute(0);
    DoPOI(0);
    WarnAboutExport();
  }
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
