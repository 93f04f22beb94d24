// The export reader. One line of the export holds six tab-ended fields, a
// field ended by "(", then "longitude,latitude)", a tab-ended field and the
// rest of the line; the coordinates are in degrees, minutes and seconds.
#include "reader.h"

#include "coordinates.h"
#include "rovalto.h"

#include <cstring>
#include <iterator>

char line[1024];
char *column[11];

// The byte that ends each column; the last column runs to the end of the row.
static const char lineDelim[] = "\t\t\t\t\t\t(,)\t";
static_assert(sizeof lineDelim == std::size(column));
static_assert(sizeof line >= maxRowLength + std::size(column),
              "a row of maxRowLength bytes needs a zero byte for each missing column");

// Read one byte, a CR LF pair as one LF (a lone CR stays). Return EOF at the
// end of the input or on a read error.
static int GetByte(FILE *stream) {
  int c = getc(stream);
  if (c == '\r') {
    int next = getc(stream);
    if (next == '\n') return '\n';
    ungetc(next, stream);
  }
  return c;
}

int ReadRow(FILE *stream) {
  for (size_t pos = 0; pos < maxRowLength; pos++) {
    int c = GetByte(stream);
    if (c == EOF || c == '\n') {
      memset(line + pos, 0, maxRowLength - pos);
      return c == EOF ? -1 : 0;
    }
    line[pos] = static_cast<char>(c);
  }
  return 0;
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
  static FILE *pInMTP;
  static int state; // 0 = not opened, 1 = reading, 2 = input exhausted

  switch (state) {
  case 0:
    pInMTP = OpenFile(inMTP, "r");
    // Without an input there is nothing to convert: end the run at once.
    state = pInMTP ? 1 : 2;
    return pInMTP ? 0 : -1;
  case 1:
    if (ReadRow(pInMTP) != 0) state = 2;
    SplitRow();
    return 0;
  default:
    if (pInMTP) {
      // A read error ends the input like its end does, but must not pass for
      // a complete conversion.
      if (ferror(pInMTP)) {
        printf("Error: can't read '%s'!\n\n", inMTP);
        SetFailed();
      }
      fclose(pInMTP);
      pInMTP = nullptr;
    }
    return -1;
  }
}
