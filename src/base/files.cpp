// File services. All files are opened as bytes, and the writers
// put their CR LF line ends in place themselves, so that the output files are
// the same bytes on every platform.
#include "base/files.h"

#include "base/console.h"
#include "base/filetable.h"

#include <cstring>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <iterator>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32
// Names are UTF-8 in the program and UTF-16 for Windows, so that any name
// Windows allows can be opened. Return fileName in UTF-16, in a buffer that
// the next call overwrites; an empty name, which opens nothing, when it does
// not convert.
static const wchar_t *Wide(const char *fileName) {
  static wchar_t wide[maxPathUnits];
  if (!MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, fileName, -1, wide,
                           static_cast<int>(std::size(wide))))
    wide[0] = L'\0';
  return wide;
}

static FILE *OpenStream(const char *fileName) {
  return _wfopen(Wide(fileName), L"rb");
}

// Windows opens its device names (COM1, AUX, CON, NUL) as files in any
// folder, whatever the extension: none of them is an export.
constexpr bool devicesAreExports = false;

// Open fileName for writing as it is, creating it if need be. Return its
// descriptor, or -1.
static int OpenForWriting(const char *fileName) {
  return _wopen(Wide(fileName), _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
}

// Cut the file open in fd, still at its start, to nothing. Return 0 or -1.
static int Truncate(int fd) {
  return SetEndOfFile(reinterpret_cast<HANDLE>(_get_osfhandle(fd))) ? 0 : -1;
}

static FILE *StreamOf(int fd) {
  return _fdopen(fd, "wb");
}

unsigned long long StreamSize(FILE *stream) {
  struct _stat64 st;
  if (_fstat64(_fileno(stream), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) return 0;
  return static_cast<unsigned long long>(st.st_size);
}

NameKind KindOfName(const char *fileName) {
  struct _stat64 st;
  if (_wstat64(Wide(fileName), &st) != 0) return nameMissing;
  return (st.st_mode & _S_IFMT) == _S_IFREG ? nameOfFile : nameOfOther;
}

// Folder separators; a drive's letter ends with its colon.
static const char separators[] = "/\\:";

static int ChangeFolder(const char *folder) {
  return _wchdir(Wide(folder));
}

#else
static FILE *OpenStream(const char *fileName) {
  return fopen(fileName, "rb");
}

// A pipe or a terminal may carry an export.
constexpr bool devicesAreExports = true;

// Open fileName for writing as it is, creating it if need be. Return its
// descriptor, or -1. A FIFO that nobody reads fails at once rather than
// leaving the run waiting, without a word, for a reader.
static int OpenForWriting(const char *fileName) {
  int fd = open(fileName, O_WRONLY | O_CREAT | O_NONBLOCK, 0666);
  if (fd < 0) return -1;
  // The writes themselves wait, like those to any file.
  int flags = fcntl(fd, F_GETFL);
  if (flags == -1 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
    close(fd);
    return -1;
  }
  return fd;
}

// Cut the file open in fd, still at its start, to nothing. Return 0 or -1.
static int Truncate(int fd) {
  return ftruncate(fd, 0);
}

static FILE *StreamOf(int fd) {
  return fdopen(fd, "wb");
}

unsigned long long StreamSize(FILE *stream) {
  struct stat st;
  if (fstat(fileno(stream), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return static_cast<unsigned long long>(st.st_size);
}

NameKind KindOfName(const char *fileName) {
  struct stat st;
  if (stat(fileName, &st) != 0) return nameMissing;
  return S_ISREG(st.st_mode) ? nameOfFile : nameOfOther;
}

static const char separators[] = "/";

static int ChangeFolder(const char *folder) {
  return chdir(folder);
}

#endif

size_t Utf8Bytes(const char *text) {
  const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
  size_t n = p[0] < 0x80   ? 1
             : p[0] < 0xC2 ? 0
             : p[0] < 0xE0 ? 2
             : p[0] < 0xF0 ? 3
             : p[0] < 0xF5 ? 4
                           : 0;
  for (size_t i = 1; i < n; i++)
    if ((p[i] & 0xC0) != 0x80) return 0;
  if (n == 3 && ((p[0] == 0xE0 && p[1] < 0xA0) || (p[0] == 0xED && p[1] >= 0xA0))) return 0;
  if (n == 4 && ((p[0] == 0xF0 && p[1] < 0x90) || (p[0] == 0xF4 && p[1] >= 0x90))) return 0;
  return n;
}

bool EndsInExtension(const char *name, const char *extension) {
  size_t n = strlen(name), e = strlen(extension);
  if (n < e) return false;
  for (size_t i = 0; i < e; i++)
    if ((name[n - e + i] | 0x20) != (extension[i] | 0x20)) return false;
  return true;
}

size_t NameLength(const char *fileName) {
  // A rider counts characters, on every system; a name in some other
  // character set can only be counted in bytes.
  size_t length = 0, n;
  for (const char *p = fileName; *p; p += n, length++)
    if ((n = Utf8Bytes(p)) == 0) return strlen(fileName);
  return length;
}

const char *FileNameOf(const char *path) {
  const char *name = path;
  for (const char *p = path; *p; p++)
    if (strchr(separators, *p)) name = p + 1;
  return name;
}

int EnterFolderOf(const char *path) {
  size_t folder = static_cast<size_t>(FileNameOf(path) - path);
  if (folder == 0) return 0;
  // The folder with its last separator, so that the root stays the root.
  static char name[maxPathBytes];
  if (folder >= sizeof name) return -1;
  memcpy(name, path, folder);
  name[folder] = '\0';
  return ChangeFolder(name);
}

// Open the export, checked on what was opened, and enter it into the table
// of open files. Return the stream, or nullptr for a folder, a file open
// already, one that cannot be told from one, and where devices are no
// exports, anything but a regular file.
static FILE *OpenForReading(const char *fileName) {
  FILE *stream = OpenStream(fileName);
  if (!stream) return nullptr;
  FileId id;
  FileKind kind = KindOfFile(fileno(stream), &id);
  if (kind == regularFile ? !FileTableHolds(id) && FileTableAdd(stream, id)
                          : devicesAreExports && kind == otherFile)
    return stream;
  fclose(stream);
  return nullptr;
}

// Open fileName for writing; the file is checked on what was opened, and only
// emptied once it holds its place in the table, so that a file open already
// is never truncated. Return the stream, or nullptr when the file may not be
// written as an output.
static FILE *OpenForOutput(const char *fileName) {
  int fd = OpenForWriting(fileName);
  if (fd < 0) return nullptr;
  FileId id;
  FILE *stream = nullptr;
  switch (KindOfFile(fd, &id)) {
  case regularFile:
    if (FileTableHolds(id) || !(stream = StreamOf(fd))) break;
    if (!FileTableAdd(stream, id)) {
      fclose(stream);
      return nullptr;
    }
    if (Truncate(fd) != 0) {
      FileTableRemove(stream);
      fclose(stream);
      return nullptr;
    }
    break;
  case otherFile: stream = StreamOf(fd); break;
  default: break;
  }
  if (!stream) close(fd);
  return stream;
}

// What follows the report of a failed open.
static void (*afterFailedOpen)() = nullptr;

void AfterFailedOpen(void (*then)()) {
  afterFailedOpen = then;
}

void ReportOpenFailure(const char *fileName, const char *options, bool again) {
  ReportError("can't open '%s' (options '%s')", fileName, options);
  if (!again && afterFailedOpen) afterFailedOpen();
}

FILE *OpenFile(const char *fileName, const char *options, bool again) {
  FILE *stream = options[0] == 'r' ? OpenForReading(fileName) : OpenForOutput(fileName);
  if (!stream) ReportOpenFailure(fileName, options, again);
  return stream;
}

void CloseInput(FILE *stream) {
  FileTableRemove(stream);
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

int CloseOutput(OutFile *out, const char *fileName) {
  Drain(out);
  FILE *stream = out->stream;
  out->stream = nullptr;
  FileTableClose(stream);
  // A full disk may show only when the last buffer is flushed. The flush is
  // explicit: some C libraries' fclose does not report its failure.
  int failed = fflush(stream) != 0 || ferror(stream);
  if (fclose(stream) != 0) failed = 1;
  if (failed) {
    ReportError("can't write '%s'", fileName);
    return -1;
  }
  return 0;
}

bool CloseUnfinished(OutFile *out, const char *fileName, const char *exportName) {
  // A write that failed is told first: it is the rider's to mend, too.
  if (CloseOutput(out, fileName) == 0) ReportUnfinished(fileName, exportName);
  return false;
}

// Why the outputs of a pass are unfinished.
static const char *unfinishedWhy = "changed while it was read";

void UnfinishedBecause(const char *why) {
  unfinishedWhy = why;
}

void ReportUnfinished(const char *fileName, const char *exportName) {
  ReportError("'%s' is unfinished: '%s' %s", fileName, exportName, unfinishedWhy);
}
