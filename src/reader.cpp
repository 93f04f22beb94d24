// The export reader. One line of the export holds six tab-ended fields, a
// field ended by "(", then "longitude,latitude)", a tab-ended field and the
// rest of the line; the coordinates are in degrees, minutes and seconds.
#include "reader.h"

#include "coordinates.h"
#include "files.h"
#include "settings.h"

#include <cstring>
#include <iterator>

char line[1024];
char *column[11];

// The byte that ends each column; the last column runs to the end of the row.
static const char lineDelim[] = "\t\t\t\t\t\t(,)\t";
static_assert(sizeof lineDelim == std::size(column));
static_assert(sizeof line >= maxRowLength + std::size(column),
              "a row of maxRowLength bytes needs a zero byte for each missing column");

// Lines are read whole with fgets, which finds the line end inside the
// stream's buffer rather than taking a byte at a time. fgets copies NUL bytes
// like any other, and the row buffer is cleared first, so zeros follow the
// line whatever it holds. A CR directly before the LF is part of the line end.
int ReadRow(FILE *stream) {
  // Only what the row before may have left needs clearing.
  static size_t used = maxRowLength;
  memset(line, 0, used);
  used = maxRowLength;
  if (!fgets(line, maxRowLength + 1, stream)) return ferror(stream) ? readFailed : lastRow;

  char *lf = static_cast<char *>(memchr(line, '\n', maxRowLength));
  if (lf) {
    *lf = '\0';
    if (lf > line && lf[-1] == '\r') lf[-1] = '\0';
    used = static_cast<size_t>(lf - line);
    return rowRead;
  }
  // A read error may stop fgets in the middle of a line.
  if (ferror(stream)) return readFailed;
  if (feof(stream)) return lastRow;

  // A full row whose last byte is the CR of a CR LF ends with that line.
  char *last = line + maxRowLength - 1;
  if (*last == '\r') {
    int next = getc(stream);
    if (ferror(stream)) return readFailed;
    if (next == '\n') {
      *last = '\0';
    } else {
      ungetc(next, stream);
    }
  }
  return rowRead;
}

void SplitRow() {
  char *p = line;
  for (size_t i = 0; i < std::size(column); i++) {
    column[i] = p;
    while (*p != lineDelim[i] && *p != '\0')
      p++;
    *p++ = '\0';
  }
  CoordDeg2Dec(column[7]);
  CoordDeg2Dec(column[8]);
}

int GetMTP() {
  enum { notOpened, reading, exhausted };
  static FILE *pInMTP;
  static int state = notOpened;

  switch (state) {
  case notOpened:
    pInMTP = OpenFile(inMTP, "r");
    // Without an input there is nothing to convert: end the run at once.
    state = pInMTP ? reading : exhausted;
    return pInMTP ? 0 : -1;
  case reading: {
    int read = ReadRow(pInMTP);
    // A row that a read error cut short would give a wrong position: the
    // input ends before it.
    if (read != readFailed) {
      SplitRow();
      if (read == lastRow) state = exhausted;
      return 0;
    }
    state = exhausted;
    [[fallthrough]];
  }
  default:
    if (pInMTP) {
      // A read error ends the input, but must not pass for a complete
      // conversion.
      if (ferror(pInMTP)) {
        printf("Error: can't read '%s'!\n\n", inMTP);
        SetFailed();
      }
      CloseInput(pInMTP);
      pInMTP = nullptr;
    }
    return -1;
  }
}
