// The console. Riders start the program from Explorer, whose console window
// closes as soon as the program ends: every run ends with a pause, and so does
// every failed open, so that its message can be read before anything else.
#include "base/console.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

static int runFailed;

// The progress line.
static struct {
  const char *label;        // what is being done; nullptr: no progress shown
  unsigned long long total; // bytes of a pass
  unsigned long long done;  // of them, read so far
  int pass;                 // the pass over the export: each rewind starts the next
  int percent;              // the figure on the line; -1: the line is blank
} progress = {nullptr, 0, 0, 1, -1};

// Blank the progress line, so that a message takes its place.
static void BlankProgress() {
  if (progress.percent < 0) return;
  printf("\r%*s\r", 40 + static_cast<int>(strlen(progress.label)), "");
  fflush(stdout);
  progress.percent = -1;
}

void StartProgress(const char *label, unsigned long long total) {
  EndProgress();
  if (total < progressBytes || !OutputIsTerminal()) return;
  progress = {label, total, 0, 1, -1};
  ShowProgress(0);
}

void ShowProgress(unsigned long long done) {
  if (!progress.label) return;
  // A figure that went back from 100 would look like work begun again:
  // the passes after the first are named.
  if (done < progress.done) progress.pass++, progress.percent = -1;
  progress.done = done;
  int percent = static_cast<int>(std::min(done, progress.total) * 100 / progress.total);
  if (percent == progress.percent) return;
  progress.percent = percent;
  // The figure takes three digits always, so that a shorter one leaves
  // none of the longer behind.
  if (progress.pass == 1)
    printf("\r%s... %3d %%", progress.label, percent);
  else
    printf("\r%s, pass %d... %3d %%", progress.label, progress.pass, percent);
  fflush(stdout);
}

void EndProgress() {
  BlankProgress();
  progress.label = nullptr;
}

// Print "Error: ", the message, end and an empty line, and note the failure.
static void Report(const char *end, const char *format, va_list args) PRINTF_LIKE(2, 0);
static void Report(const char *end, const char *format, va_list args) {
  BlankProgress();
  fputs("Error: ", stdout);
  vprintf(format, args);
  fputs(end, stdout);
  fputs("\n\n", stdout);
  runFailed = 1;
}

void ReportError(const char *format, ...) {
  va_list args;
  va_start(args, format);
  Report("!", format, args);
  va_end(args);
}

void ReportErrorSentence(const char *format, ...) {
  va_list args;
  va_start(args, format);
  Report(".", format, args);
  va_end(args);
}

int RunFailed() {
  return runFailed;
}

void FailRun() {
  runFailed = 1;
}

#ifdef _WIN32
char **CommandLineInUtf8(int argc, wchar_t **wideArgv) {
  static char text[maxPathBytes];
  static char *argv[maxPathUnits];
  size_t used = 0;
  for (int i = 0; i < argc && i + 1 < static_cast<int>(std::size(argv)); i++) {
    int n = WideCharToMultiByte(CP_UTF8, 0, wideArgv[i], -1, text + used,
                                static_cast<int>(sizeof text - used), nullptr, nullptr);
    argv[i] = text + used;
    if (n <= 0) text[used++] = '\0';
    used += static_cast<size_t>(n > 0 ? n : 0);
  }
  return argv;
}

// The console's code page from before the run; 0 while it is untouched.
static UINT savedCodePage;

static void RestoreCodePage() {
  if (savedCodePage) SetConsoleOutputCP(savedCodePage);
}

// Ctrl-C, Ctrl-Break, closing the window, logging off: the code page goes
// back, then Windows ends the program as it would have.
static BOOL WINAPI OnConsoleEnd(DWORD) {
  RestoreCodePage();
  return FALSE;
}

void UseUtf8Console() {
  DWORD mode;
  if (!GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) return;
  savedCodePage = GetConsoleOutputCP();
  if (savedCodePage == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) {
    savedCodePage = 0;
    return;
  }
  atexit(RestoreCodePage);
  SetConsoleCtrlHandler(OnConsoleEnd, TRUE);
}

// Read one byte of standard input into *c. Return false at its end.
static bool ReadByte(char *c) {
  return _read(0, c, 1) == 1;
}

int GuardStandardStreams() {
  return 0;
}

bool InputIsTerminal() {
  // _isatty would take the NUL device for a terminal too.
  DWORD mode;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

bool OutputIsTerminal() {
  DWORD mode;
  return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

unsigned long ConsoleProcesses() {
  // Room for two: enough to tell one from more.
  DWORD processes[2];
  return GetConsoleProcessList(processes, static_cast<DWORD>(std::size(processes)));
}

void Pause() {
  fflush(stdout);
  system("PAUSE");
}
#else
int GuardStandardStreams() {
  // A pipe or FIFO whose reader has gone fails that one file's writes, as a
  // full disk does: the run goes on, reports it and pauses.
  signal(SIGPIPE, SIG_IGN);
  // open takes the lowest free descriptor: going up from 0, that is the one
  // found closed.
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; fd++) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY) != fd) return -1;
  }
  return 0;
}

bool InputIsTerminal() {
  return isatty(STDIN_FILENO) == 1;
}

bool OutputIsTerminal() {
  return isatty(STDOUT_FILENO) == 1;
}

unsigned long ConsoleProcesses() {
  return 0;
}

// Read one byte of standard input into *c. Return false at its end, or
// after an error that is not a signal's.
static bool ReadByte(char *c) {
  ssize_t got;
  while ((got = read(STDIN_FILENO, c, 1)) < 0 && errno == EINTR) {
  }
  return got == 1;
}

// The terminal's settings from before the pause, and those for one key,
// for the signal handlers.
static termios savedTerminal, oneKeyTerminal;

// The signals whose default is to end the program. At the pause each of
// them first gives the terminal back its settings.
static const int endSignals[] = {SIGHUP,  SIGINT,    SIGQUIT, SIGTERM, SIGUSR1, SIGUSR2,
                                 SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU, SIGXFSZ};
// And the two of job control: stopped, the terminal is the shell's again.
static const int jobSignals[] = {SIGTSTP, SIGCONT};

// A signal that ends the program during the pause: give the terminal back
// its settings, then end as the signal would have without the pause (the
// handler is reset to the default on delivery).
static void RestoreTerminal(int sig) {
  tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
  raise(sig);
}

// The handlers at the pause. Neither blocks its own signal, so that a
// SIGTSTP raised in its handler stops the program right there.
static struct sigaction endAction, jobAction, defaultAction;

// SIGTSTP during the pause: stop with the terminal's own settings, and take
// up the pause again when continued. SIGCONT: back to one key, whatever the
// shell did to the terminal meanwhile.
static void StopAndGoOn(int sig) {
  int savedErrno = errno;
  if (sig == SIGTSTP) {
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    sigaction(SIGTSTP, &defaultAction, nullptr);
    raise(SIGTSTP);
    // raise returns once the process is continued.
    // cppcheck-suppress unreachableCode
    sigaction(SIGTSTP, &jobAction, nullptr);
  }
  tcsetattr(STDIN_FILENO, TCSANOW, &oneKeyTerminal);
  errno = savedErrno;
}

// Windows' PAUSE, made by hand: its prompt, then one key. A terminal is put
// into raw mode for it, with signal keys read as keys, so that Ctrl-C cannot
// leave the terminal raw; a signal sent from elsewhere restores it before it
// ends or stops the program. Anything but a terminal gives one byte or its
// end.
void Pause() {
  fputs("Press any key to continue . . . ", stdout);
  fflush(stdout);

  struct sigaction before[std::size(endSignals) + std::size(jobSignals)];
  bool terminal = tcgetattr(STDIN_FILENO, &savedTerminal) == 0;
  if (terminal) {
    oneKeyTerminal = savedTerminal;
    oneKeyTerminal.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
    oneKeyTerminal.c_cc[VMIN] = 1;
    oneKeyTerminal.c_cc[VTIME] = 0;

    endAction.sa_handler = RestoreTerminal;
    jobAction.sa_handler = StopAndGoOn;
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&endAction.sa_mask);
    sigemptyset(&jobAction.sa_mask);
    sigemptyset(&defaultAction.sa_mask);
    endAction.sa_flags = static_cast<int>(SA_RESETHAND | SA_NODEFER);
    jobAction.sa_flags = SA_NODEFER;
    size_t n = 0;
    for (int sig : endSignals) {
      sigaction(sig, nullptr, &before[n]);
      // A signal that was ignored before stays ignored.
      if (before[n++].sa_handler != SIG_IGN) sigaction(sig, &endAction, nullptr);
    }
    for (int sig : jobSignals) {
      sigaction(sig, nullptr, &before[n]);
      if (before[n++].sa_handler != SIG_IGN) sigaction(sig, &jobAction, nullptr);
    }
    tcsetattr(STDIN_FILENO, TCSANOW, &oneKeyTerminal);
  }
  char key;
  ReadByte(&key);
  if (terminal) {
    // Signals wait while the terminal and the handlers are put back, so
    // that none finds the one without the other.
    sigset_t all, old;
    sigfillset(&all);
    sigprocmask(SIG_BLOCK, &all, &old);
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    size_t n = 0;
    for (int sig : endSignals)
      sigaction(sig, &before[n++], nullptr);
    for (int sig : jobSignals)
      sigaction(sig, &before[n++], nullptr);
    sigprocmask(SIG_SETMASK, &old, nullptr);
  }

  fputs("\n", stdout);
  fflush(stdout);
}
#endif

long ReadAnswer(char *answer, size_t size) {
  size_t length = 0;
  char c;
  bool more = true;
  while (length < maxAnswerLine && (more = ReadByte(&c)) && c != '\n') {
    if (length + 1 < size) answer[length] = c;
    length++;
  }
  answer[length < size ? length : size - 1] = '\0';
  return !more && length == 0 ? -1 : static_cast<long>(length);
}
