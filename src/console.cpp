// The console. Riders start the program from Explorer, whose console window
// closes as soon as the program ends: every run ends with a pause, and so does
// every failed open, so that its message can be read before anything else.
#include "console.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

static int runFailed;

void ReportError(const char *format, ...) {
  va_list args;
  va_start(args, format);
  fputs("Error: ", stdout);
  vprintf(format, args);
  fputs("!\n\n", stdout);
  va_end(args);
  runFailed = 1;
}

int RunFailed() {
  return runFailed;
}

#ifdef _WIN32
int GuardStandardStreams() {
  return 0;
}

void Pause() {
  fflush(stdout);
  system("PAUSE");
}
#else
int GuardStandardStreams() {
  // open takes the lowest free descriptor: going up from 0, that is the one
  // found closed.
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; fd++) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY) != fd) return -1;
  }
  return 0;
}

// The terminal's settings from before the pause, for the signal handler.
static termios savedTerminal;

// A signal that ends the program during the pause: give the terminal back
// its settings, then end as the signal would have without the pause (the
// handler is reset to the default on delivery).
static void RestoreTerminal(int sig) {
  tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
  raise(sig);
}

// Windows' PAUSE, made by hand: its prompt, then one key. A terminal is put
// into raw mode for it, with signal keys read as keys, so that Ctrl-C cannot
// leave the terminal raw; a signal sent from elsewhere restores it before it
// ends the program. Anything but a terminal gives one byte or its end.
void Pause() {
  fputs("Press any key to continue . . . ", stdout);
  fflush(stdout);

  static const int endSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
  struct sigaction before[std::size(endSignals)];
  bool terminal = tcgetattr(STDIN_FILENO, &savedTerminal) == 0;
  if (terminal) {
    struct sigaction restore = {};
    restore.sa_handler = RestoreTerminal;
    sigemptyset(&restore.sa_mask);
    restore.sa_flags = static_cast<int>(SA_RESETHAND | SA_NODEFER);
    for (size_t i = 0; i < std::size(endSignals); i++) {
      sigaction(endSignals[i], nullptr, &before[i]);
      // A signal that was ignored before stays ignored.
      if (before[i].sa_handler != SIG_IGN) sigaction(endSignals[i], &restore, nullptr);
    }
    termios raw = savedTerminal;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  }
  char key;
  while (read(STDIN_FILENO, &key, 1) < 0 && errno == EINTR) {
  }
  if (terminal) {
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    for (size_t i = 0; i < std::size(endSignals); i++)
      sigaction(endSignals[i], &before[i], nullptr);
  }

  fputs("\n", stdout);
  fflush(stdout);
}
#endif
