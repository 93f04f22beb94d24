// File services. All files are opened as bytes, and the writers
// put their CR LF line ends in place themselves, so that the output files are
// the same bytes on every platform.
#include "files.h"

#include "console.h"
#include "openfiles.h"

#include <cstring>

FILE *OpenFile(const char *fileName, const char *options) {
  char mode[8];
  snprintf(mode, sizeof mode, "%sb", options);
  FILE *stream = OpenFileTableHolds(fileName) ? nullptr : fopen(fileName, mode);

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
    ReportError("can't open '%s' (options '%s')", fileName, options);
    Pause();
    return nullptr;
  }
  OpenFileTableAdd(stream);
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
