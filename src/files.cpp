// File and console services. All files are opened as bytes, and the writers
// put their CR LF line ends in place themselves, so that the output files are
// the same bytes on every platform.
#include "files.h"

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
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

static int runFailed;

// Which file on which volume: two names with the same identity are one file.
struct FileId {
  unsigned long long volume, index;
};

#ifdef _WIN32
static bool IdOfHandle(HANDLE handle, FileId *id) {
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  id->volume = info.dwVolumeSerialNumber;
  id->index = static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
  return true;
}

// Find the identity of the regular file fileName. Return false for anything else.
static bool IdOfName(const char *fileName, FileId *id) {
  HANDLE handle = CreateFileA(fileName, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool found = IdOfHandle(handle, id);
  CloseHandle(handle);
  return found;
}

// Find the identity of the regular file open in stream. Return false for anything else.
static bool IdOfStream(FILE *stream, FileId *id) {
  return IdOfHandle(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), id);
}
#else
static bool IdOfStat(const struct stat &st, FileId *id) {
  if (!S_ISREG(st.st_mode)) return false;
  id->volume = st.st_dev;
  id->index = st.st_ino;
  return true;
}

// Find the identity of the regular file fileName. Return false for anything else.
static bool IdOfName(const char *fileName, FileId *id) {
  struct stat st;
  return stat(fileName, &st) == 0 && IdOfStat(st, id);
}

// Find the identity of the regular file open in stream. Return false for anything else.
static bool IdOfStream(FILE *stream, FileId *id) {
  struct stat st;
  return fstat(fileno(stream), &st) == 0 && IdOfStat(st, id);
}
#endif

// The regular files that OpenFile opened and that are still open: the export
// and the two outputs. No name may open one of them again, so that an output
// name that is a link to the export never truncates it, and two outputs never
// write into one file.
static struct {
  FILE *stream;
  FileId id;
} openFiles[3];

// Whether fileName names a file that is open already.
static bool IsOpen(const char *fileName) {
  FileId id;
  if (!IdOfName(fileName, &id)) return false;
  for (const auto &file : openFiles)
    if (file.stream && file.id.volume == id.volume && file.id.index == id.index) return true;
  return false;
}

// Note stream among the open files, if a regular file is open in it.
static void Remember(FILE *stream) {
  for (auto &file : openFiles) {
    if (!file.stream) {
      if (IdOfStream(stream, &file.id)) file.stream = stream;
      return;
    }
  }
}

// Take stream off the open files before it is closed.
static void Forget(FILE *stream) {
  for (auto &file : openFiles)
    if (file.stream == stream) file.stream = nullptr;
}

void SetFailed() {
  runFailed = 1;
}

int RunFailed() {
  return runFailed;
}

FILE *OpenFile(const char *fileName, const char *options) {
  char mode[8];
  snprintf(mode, sizeof mode, "%sb", options);
  FILE *stream = IsOpen(fileName) ? nullptr : fopen(fileName, mode);

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
    return nullptr;
  }
  Remember(stream);
  return stream;
}

void CloseInput(FILE *stream) {
  Forget(stream);
  fclose(stream);
}

// Write what waits in out's buffer to its stream.
static void Drain(OutFile *out) {
  fwrite(out->text, 1, out->used, out->stream);
  out->used = 0;
}

void PutBytes(OutFile *out, const char *text, size_t length) {
  while (length > sizeof out->text - out->used) {
    size_t room = sizeof out->text - out->used;
    memcpy(out->text + out->used, text, room);
    out->used += room;
    text += room;
    length -= room;
    Drain(out);
  }
  memcpy(out->text + out->used, text, length);
  out->used += length;
}

int CloseFile(OutFile *out, const char *fileName) {
  Drain(out);
  FILE *stream = out->stream;
  out->stream = nullptr;
  Forget(stream);
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
