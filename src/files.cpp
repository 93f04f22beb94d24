// File services. All files are opened as bytes, and the writers
// put their CR LF line ends in place themselves, so that the output files are
// the same bytes on every platform.
#include "files.h"

#include "console.h"
#include "openfiles.h"

#include <cstring>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef _WIN32
// Open fileName for writing as it is, creating it if need be. Return its
// descriptor, or -1.
static int OpenForWriting(const char *fileName) {
  return _open(fileName, _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
}

// Cut the file open in fd, still at its start, to nothing. Return 0 or -1.
static int Truncate(int fd) {
  return SetEndOfFile(reinterpret_cast<HANDLE>(_get_osfhandle(fd))) ? 0 : -1;
}

static FILE *StreamOf(int fd) {
  return _fdopen(fd, "wb");
}
#else
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
#endif

// Open fileName for reading; the file is checked on what was opened. Return
// the stream, or nullptr when the file may not be read as the export.
static FILE *OpenForReading(const char *fileName) {
  FILE *stream = fopen(fileName, "rb");
  if (!stream) return nullptr;
  FileId id;
  switch (KindOfFile(fileno(stream), &id)) {
  case regularFile:
    if (!OpenFileTableHolds(id)) {
      OpenFileTableAdd(stream, id);
      return stream;
    }
    break;
#ifndef _WIN32
  // A pipe or a terminal may carry an export. On Windows the device names
  // (COM1, AUX, CON, NUL) open as files in any folder, and none is an export.
  case otherFile: return stream;
#endif
  default: break;
  }
  fclose(stream);
  return nullptr;
}

// Open fileName for writing; the file is checked on what was opened, and only
// then emptied, so that a file open already is never truncated. Return the
// stream, or nullptr when the file may not be written as an output.
static FILE *OpenForOutput(const char *fileName) {
  int fd = OpenForWriting(fileName);
  if (fd < 0) return nullptr;
  FileId id;
  FILE *stream = nullptr;
  switch (KindOfFile(fd, &id)) {
  case regularFile:
    if (!OpenFileTableHolds(id) && Truncate(fd) == 0 && (stream = StreamOf(fd)))
      OpenFileTableAdd(stream, id);
    break;
  case otherFile: stream = StreamOf(fd); break;
  default: break;
  }
  if (!stream) close(fd);
  return stream;
}

FILE *OpenFile(const char *fileName, const char *options) {
  FILE *stream = options[0] == 'r' ? OpenForReading(fileName) : OpenForOutput(fileName);
  if (!stream) {
    ReportError("can't open '%s' (options '%s')", fileName, options);
    Pause();
  }
  return stream;
}

void CloseInput(FILE *stream) {
  OpenFileTableRemove(stream);
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
  OpenFileTableRemove(stream);
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
