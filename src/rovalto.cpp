// rovalto: converts a Motorrad Tourenplaner text export into a multi-stop tour
// and a POI list for the Navman SmartST navigation software on a NAVMAN N20.
//
// The driver: the identification, the command line and the settings report,
// the conversion loop that hands each row of the export to both writers, and
// the exit status.
#include "console.h"
#include "distance.h"
#include "files.h"
#include "fit.h"
#include "openfiles.h"
#include "poiwriter.h"
#include "question.h"
#include "reader.h"
#include "settings.h"
#include "thinning.h"
#include "tourwriter.h"

#include <cstdio>
#include <cstring>

static_assert(fileNameSize >= maxBaseName * 4 + sizeof ".txt",
              "a base name of maxBaseName characters of up to four bytes, with its extension");

// The distances the command line gave: none, one or two texts.
struct DistanceArgs {
  const char *text[2];
  int count;
};

// Whether arg, the first argument, is a file dropped onto the program: a
// regular file that is there, for which arg with ".txt" added names nothing
// (so that no base name can have been meant).
static bool IsDropped(const char *arg) {
  static char withTxt[maxPathBytes + sizeof ".txt"];
  if (KindOfName(arg) != nameOfFile) return false;
  int n = snprintf(withTxt, sizeof withTxt, "%s.txt", arg);
  return n < 0 || static_cast<size_t>(n) >= sizeof withTxt || KindOfName(withTxt) == nameMissing;
}

// Whether name ends in ".txt", in any case.
static bool EndsInTxt(const char *name) {
  size_t n = strlen(name);
  if (n < 4) return false;
  const char *ext = name + n - 4;
  return ext[0] == '.' && (ext[1] | 0x20) == 't' && (ext[2] | 0x20) == 'x' &&
         (ext[3] | 0x20) == 't';
}

// Take a dropped export: work in its folder, under its name, with the
// further arguments as distances, each further file left out with a
// warning. Return the base name, or nullptr after reporting why it cannot be
// converted.
static const char *TakeDropped(int argc, char **argv, DistanceArgs *distances) {
  const char *fileName = FileNameOf(argv[1]);
  if (!EndsInTxt(fileName)) {
    ReportError("'%s' is no text export: rovalto converts the text export of Motorrad "
                "Tourenplaner, a .txt file",
                fileName);
    return nullptr;
  }
  // Explorer passes every file dropped: one is converted.
  for (int i = 2; i < argc; i++) {
    if (KindOfName(argv[i]) != nameMissing)
      printf("Warning: one export at a time; '%s' was not converted!\n", FileNameOf(argv[i]));
    else if (distances->count < 2)
      distances->text[distances->count++] = argv[i];
  }
  // The outputs land beside the export, whatever folder the program was
  // started in.
  if (EnterFolderOf(argv[1]) != 0) {
    ReportError("can't open '%s' (options 'r')", argv[1]);
    Pause();
    return nullptr;
  }
  // Room for a base name that fits the file name fields with an extension.
  static char baseName[fileNameSize - sizeof ".txt" + 1];
  size_t n = strlen(fileName) - 4;
  // Too long for the field is too long for the limit; the limit itself is
  // checked with every base name.
  if (n >= sizeof baseName) {
    ReportError("base name '%.*s' is longer than %zu characters", static_cast<int>(n), fileName,
                maxBaseName);
    return nullptr;
  }
  memcpy(baseName, fileName, n);
  baseName[n] = '\0';
  return baseName;
}

// Set the settings from the command line and report them. Return 0, or -1
// after reporting a command line that cannot be converted.
static int CmdLine(int argc, char **argv) {
  DistanceArgs distances = {{nullptr, nullptr}, 0};
  bool dropped = argc >= 2 && IsDropped(argv[1]);
  const char *baseName = nullptr;
  if (dropped) {
    baseName = TakeDropped(argc, argv, &distances);
    if (!baseName) return -1;
  } else if (argc >= 2 && argc <= 4) {
    baseName = argv[1];
    for (int i = 2; i < argc; i++)
      distances.text[distances.count++] = argv[i];
  } else {
    printf("\nusage: rovalto [file-names [first-location [next-location]]]\n");
    printf("e.g.   rovalto \n");
    printf("       rovalto myFile\n");
    printf("       rovalto myFile 20\n");
    printf("       rovalto myFile 20 10\n\n");
  }

  if (baseName) {
    // Refused rather than shortened: a cut name would read or overwrite
    // some other file.
    if (NameLength(baseName) > maxBaseName) {
      ReportError("base name '%s' is longer than %zu characters", baseName, maxBaseName);
      return -1;
    }
    // A dropped export is read under its own name: Tour.TXT stays Tour.TXT.
    if (dropped)
      snprintf(inMTP, sizeof inMTP, "%s", FileNameOf(argv[1]));
    else
      snprintf(inMTP, sizeof inMTP, "%s.txt", baseName);
    snprintf(outRoute, sizeof outRoute, "%s.xml", baseName);
    snprintf(outPOI, sizeof outPOI, "%s.csv", baseName);
  }

  // "fit" in place of the first distance chooses both; a next distance after
  // it is ignored. A dropped export without distances asks for them, with
  // the fit for Enter.
  bool fit = distances.count > 0 && strcmp(distances.text[0], "fit") == 0;
  bool ask = dropped && distances.count == 0;
  if (!fit && distances.count > 0) ReadKm(distances.text[0], &firstLoc);
  if (!fit && distances.count > 1) ReadKm(distances.text[1], &nextLoc);
  FitOutcome chosen = fitKeptDefaults;
  if (fit || ask) {
    float first = firstLoc, next = nextLoc;
    Count locations = 0;
    chosen = FitDistances(&first, &next, &locations);
    char enterAnswer[64];
    if (chosen == fitKeptDefaults)
      snprintf(enterAnswer, sizeof enterAnswer, "%.0f %.0f", static_cast<double>(first),
               static_cast<double>(next));
    else
      snprintf(enterAnswer, sizeof enterAnswer, "%.0f %.0f, %lld locations",
               static_cast<double>(first), static_cast<double>(next), locations);
    if (ask && AskDistances(enterAnswer)) {
      chosen = fitKeptDefaults;
    } else {
      firstLoc = first;
      nextLoc = next;
    }
  }

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

// Convert as the command line says. Return the exit status.
static int Run(int argc, char **argv) {
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
