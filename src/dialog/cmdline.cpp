// The command line. A name is a dropped export only when it cannot be a base
// name, so that every command line of a console keeps its meaning.
#include "dialog/cmdline.h"

#include "base/console.h"
#include "base/distance.h"
#include "base/files.h"
#include "base/settings.h"
#include "input/gpx.h"

#include <cstdio>
#include <cstring>

static_assert(fileNameSize >= maxBaseName * 4 + sizeof ".txt",
              "a base name of maxBaseName characters of up to four bytes, with its extension");

// Whether arg, the first argument, is a file dropped onto the program: a
// regular file that is there, for which arg with ".txt" added names nothing
// (so that no base name can have been meant).
static bool IsDropped(const char *arg) {
  static char withTxt[maxPathBytes + sizeof ".txt"];
  if (KindOfName(arg) != nameOfFile) return false;
  int n = snprintf(withTxt, sizeof withTxt, "%s.txt", arg);
  return n < 0 || static_cast<size_t>(n) >= sizeof withTxt || KindOfName(withTxt) == nameMissing;
}

// Report that the first n bytes of name make a base name that is too long.
static void ReportLongBaseName(const char *name, size_t n) {
  ReportError("base name '%.*s' is longer than %zu characters", static_cast<int>(n), name,
              maxBaseName);
}

// Take a dropped export: work in its folder, with the further arguments as
// distances, each further file left out with a warning. Return its base name,
// or nullptr after reporting why it cannot be converted.
static const char *TakeDropped(int argc, char **argv, CommandLine *line) {
  const char *fileName = FileNameOf(argv[1]);
  if (!EndsInExtension(fileName, ".txt") && !IsGpxName(fileName)) {
    ReportError("'%s' is no tour: rovalto converts the text export of Motorrad Tourenplaner "
                "(.txt) or a GPX file (.gpx)",
                fileName);
    return nullptr;
  }
  // Explorer passes every file dropped: one is converted. A number is a
  // distance, even where a file of that name is there too.
  for (int i = 2; i < argc; i++) {
    float km;
    if (!ReadKm(argv[i], &km) && KindOfName(argv[i]) != nameMissing)
      printf("Warning: one export at a time; '%s' was not converted!\n", FileNameOf(argv[i]));
    else if (line->nrDistances < 2)
      line->distance[line->nrDistances++] = argv[i];
  }
  // The outputs land beside the export, whatever folder the program was
  // started in.
  if (EnterFolderOf(argv[1]) != 0) {
    ReportOpenFailure(argv[1], "r");
    return nullptr;
  }
  // Room for a base name that fits the file name fields with an extension.
  static char baseName[fileNameSize - sizeof ".txt" + 1];
  size_t n = strlen(fileName) - 4;
  // Too long for the field is too long for the limit; the limit itself is
  // checked with every base name.
  if (n >= sizeof baseName) {
    ReportLongBaseName(fileName, n);
    return nullptr;
  }
  memcpy(baseName, fileName, n);
  baseName[n] = '\0';
  return baseName;
}

static void PrintUsage() {
  printf("\nusage: rovalto [file-names [first-location [next-location]]]\n");
  printf("e.g.   rovalto \n");
  printf("       rovalto myFile\n");
  printf("       rovalto myFile 20\n");
  printf("       rovalto myFile 20 10\n");
  printf("       rovalto myFile fit\n");
  printf("       rovalto myFile follow\n\n");
}

bool IsDoubleClick(int argc, unsigned long consoleProcesses) {
  // A console of several processes is a console window the rider typed in.
  return argc <= 1 && consoleProcesses == 1;
}

bool ReadCommandLine(int argc, char **argv, CommandLine *line) {
  *line = {false, false, {nullptr, nullptr}, 0};
  line->dropped = argc >= 2 && IsDropped(argv[1]);
  line->doubleClicked = IsDoubleClick(argc, ConsoleProcesses());
  if (line->doubleClicked) return true;
  const char *baseName = nullptr;
  if (line->dropped) {
    baseName = TakeDropped(argc, argv, line);
    if (!baseName) return false;
  } else if (argc >= 2 && argc <= 4) {
    baseName = argv[1];
    for (int i = 2; i < argc; i++)
      line->distance[line->nrDistances++] = argv[i];
  } else {
    PrintUsage();
    return true;
  }

  // Refused rather than shortened: a cut name would read or overwrite some
  // other file.
  if (NameLength(baseName) > maxBaseName) {
    ReportLongBaseName(baseName, strlen(baseName));
    return false;
  }
  // A dropped export is read under its own name: Tour.TXT stays Tour.TXT.
  if (line->dropped)
    snprintf(settings.exportName, sizeof settings.exportName, "%s", FileNameOf(argv[1]));
  else
    snprintf(settings.exportName, sizeof settings.exportName, "%s.txt", baseName);
  snprintf(settings.tourName, sizeof settings.tourName, "%s.xml", baseName);
  snprintf(settings.poiName, sizeof settings.poiName, "%s.csv", baseName);
  return true;
}

Asked AskedOf(const CommandLine &line) {
  if (line.nrDistances > 0 && strcmp(line.distance[0], "fit") == 0) return askedFit;
  if (line.nrDistances > 0 && strcmp(line.distance[0], "follow") == 0) return askedFollow;
  if ((line.dropped || line.doubleClicked) && line.nrDistances == 0) return askedRider;
  return askedDistances;
}
