// File and console services. All files are opened as bytes and the line ends
// are translated here, so that the output files are the same bytes on every
// platform.
#include "files.h"

#include <cstdlib>

#ifndef _WIN32
#include <cerrno>
#include <termios.h>
#include <unistd.h>
#endif

static int runFailed;

void SetFailed() {
  runFailed = 1;
}

int RunFailed() {
  return runFailed;
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

// Write one byte to the stream as it is; an error shows in the stream's
// error state. Unlocked: the program has one thread, and per byte the lock
// costs more than the write.
static inline void PutRawByte(char c, FILE *stream) {
#ifdef _WIN32
  _putc_nolock(c, stream);
#else
  putc_unlocked(c, stream);
#endif
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
