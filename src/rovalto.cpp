// The driver: start-up, command line and settings, the conversion loop, the
// opening and closing of files, and the pause at the end of every run.
#include "rovalto.h"

#include "poiwriter.h"
#include "reader.h"
#include "tourwriter.h"

#include <cstdlib>
#include <cstring>

#ifndef _WIN32
#include <cerrno>
#include <termios.h>
#include <unistd.h>
#endif

const char prgIdent[] = "rovalto V1.0 2009-05-31";
char inMTP[100] = "MotorradTourenPlanerExport.txt";
char outRoute[100] = "MyMultiStopLocations.xml";
char outPOI[100] = "SmartSTimportPOIs.csv";
float firstLoc = 10;
float nextLoc = 10;

// The longest base name whose file names, with their four-character
// extensions, still fit the file name fields.
constexpr size_t maxBaseName = sizeof inMTP - sizeof ".txt";
static_assert(sizeof outRoute == sizeof inMTP && sizeof outPOI == sizeof inMTP);

static int runFailed;

void SetFailed() {
  runFailed = 1;
}

int ReadKm(const char *text, float *km) {
  return sscanf(text, "%f", km) == 1;
}

int CmdLine(int argc, char **argv) {
  switch (argc) {
  case 4: ReadKm(argv[3], &nextLoc); [[fallthrough]];
  case 3: ReadKm(argv[2], &firstLoc); [[fallthrough]];
  case 2:
    // Refused rather than shortened: a cut name would read or overwrite
    // some other file.
    if (strlen(argv[1]) > maxBaseName) {
      printf("Error: base name '%s' is longer than %zu characters!\n\n", argv[1], maxBaseName);
      SetFailed();
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

FILE *OpenFile(const char *fileName, const char *options) {
  char mode[8];
  snprintf(mode, sizeof mode, "%sb", options);
  FILE *stream = fopen(fileName, mode);

  // A folder opens for reading on POSIX systems and fails only at its first
  // read; refuse it here, as Windows does, rather than read it as empty.
  if (stream && options[0] == 'r') {
    int c = getc(stream);
    if (ferror(stream)) {
      fclose(stream);
      stream = nullptr;
    } else {
      ungetc(c, stream);
    }
  }

  if (!stream) {
    printf("Error: can't open '%s' (options '%s')!\n\n", fileName, options);
    SetFailed();
    Pause();
  }
  return stream;
}

int CloseFile(FILE *stream, const char *fileName) {
  // A full disk may show only when the last buffer is flushed. The flush is
  // explicit: some C libraries' fclose does not report its failure.
  int failed = fflush(stream) != 0 || ferror(stream);
  if (fclose(stream) != 0) failed = 1;
  if (failed) {
    printf("Error: can't write '%s'!\n\n", fileName);
    SetFailed();
    return -1;
  }
  return 0;
}

void PutText(FILE *stream, const char *text) {
  while (*text) {
    size_t len = strcspn(text, "\n");
    fwrite(text, 1, len, stream);
    text += len;
    if (*text == '\n') {
      fwrite("\r\n", 1, 2, stream);
      text++;
    }
  }
}

#ifdef _WIN32
void Pause() {
  fflush(stdout);
  system("PAUSE");
}
#else
// Windows' PAUSE, made by hand: its prompt, then one key. A terminal is put
// into raw mode for it, with signal keys read as keys, so that Ctrl-C cannot
// leave the terminal raw; anything else gives one byte or its end.
void Pause() {
  fputs("Press any key to continue . . . ", stdout);
  fflush(stdout);

  termios saved;
  bool terminal = tcgetattr(STDIN_FILENO, &saved) == 0;
  if (terminal) {
    termios raw = saved;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  }
  char key;
  while (read(STDIN_FILENO, &key, 1) < 0 && errno == EINTR) {
  }
  if (terminal) tcsetattr(STDIN_FILENO, TCSANOW, &saved);

  fputs("\n", stdout);
  fflush(stdout);
}
#endif

int main(int argc, char **argv) {
  printf("%s\n", prgIdent);
  if (CmdLine(argc, argv) == 0) {
    while (GetMTP() == 0) {
      DoRoute(1);
      DoPOI(1);
    }
    DoRoute(0);
    DoPOI(0);
  }
  printf("\n");
  Pause();
  return runFailed;
}
