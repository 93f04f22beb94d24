// rovalto: converts a Motorrad Tourenplaner text export into a multi-stop tour
// and a POI list for the Navman SmartST navigation software on a NAVMAN N20.
//
// The driver: the identification, the command line and the settings report,
// the conversion loop that hands each row of the export to both writers, and
// the exit status.
#include "console.h"
#include "distance.h"
#include "openfiles.h"
#include "poiwriter.h"
#include "reader.h"
#include "settings.h"
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
  switch (argc) {
  case 4: ReadKm(argv[3], &nextLoc); [[fallthrough]];
  case 3: ReadKm(argv[2], &firstLoc); [[fallthrough]];
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

  printf("input file (txt) = '%s':\n", inMTP);
  printf("       text export of Motorrad Tourenplaner 2007/2008\n");
  printf("       coordonates in degrees, minutes and seconds\n");
  printf("output tour file (xml) = '%s':\n", outRoute);
  printf("       coordonates in decimal degrees\n");
  printf("       first location after %.0f km\n", static_cast<double>(firstLoc));
  printf("       next locations after %.0f km\n", static_cast<double>(nextLoc));
  printf("output POI file (csv) = '%s':\n", outPOI);
  printf("       coordonates in decimal degrees\n");
  printf("\n");
  return 0;
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
