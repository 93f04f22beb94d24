// The driver: start-up, command line and settings, the conversion loop, the
// opening and closing of files, and the pause at the end of every run.
#include "rovalto.h"

#include "poiwriter.h"
#include "reader.h"
#include "tourwriter.h"

#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <iterator>

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

// Plain decimals like 123.4 are all that the tour planner writes, and every
// route row needs one: they are converted here, at a tenth of the cost of
// sscanf. Below 2^24 as a whole number and with at most ten decimals, both
// the digits and the power of ten are exact as floats, so one float division
// rounds exactly as "%f" does. Every other text goes to sscanf itself.
static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must round to float");

int ReadKm(const char *text, float *km) {
  static const float powersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                      1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
  unsigned long digits = 0;
  int nrDigits = 0, nrDecimals = 0;
  bool point = false;
  const char *p = text;
  for (; nrDigits <= 9; p++) {
    if (*p >= '0' && *p <= '9') {
      digits = digits * 10 + static_cast<unsigned long>(*p - '0');
      nrDigits++;
      nrDecimals += point;
    } else if (*p == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  // Where the digits stop, an exponent or a hexadecimal number may go on.
  bool plain = nrDigits > 0 && nrDigits <= 9 && digits < (1ul << 24) &&
               nrDecimals < static_cast<int>(std::size(powersOfTen)) && *p != 'e' && *p != 'E' &&
               *p != 'x' && *p != 'X';
  if (!plain) return sscanf(text, "%f", km) == 1;
  *km = static_cast<float>(digits) / powersOfTen[nrDecimals];
  return 1;
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
  for (; *text; text++) {
    if (*text == '\n') PutRawByte('\r', stream);
    PutRawByte(*text, stream);
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
