// The export reader. One line of the export holds six tab-ended fields, a
// field ended by "(", then "longitude,latitude)", a tab-ended field and the
// rest of the line; the coordinates are in degrees, minutes and seconds.
#include "reader.h"

#include "console.h"
#include "coordinates.h"
#include "files.h"
#include "settings.h"

#include <algorithm>
#include <cstring>
#include <iterator>

Count nrRowsNotDms;
char line[1024];
size_t lineLength;
char *column[11];
size_t columnLength[std::size(column)];

// The byte that ends each column; the last column runs to the end of the row.
static constexpr char lineDelim[] = "\t\t\t\t\t\t(,)\t";
static_assert(sizeof lineDelim == std::size(column));
static_assert(sizeof line >= maxRowLength + std::size(column),
              "a row of maxRowLength bytes needs a zero byte for each missing column");

// For each column, the bytes that end it: its delimiter and NUL. Every byte
// of every row is tested here, and one look-up costs less than the two
// comparisons it replaces.
struct ColumnEnds {
  bool at[std::size(column)][256];
};
static constexpr ColumnEnds FindColumnEnds() {
  ColumnEnds ends{};
  for (size_t i = 0; i < std::size(column); i++) {
    ends.at[i][0] = true;
    ends.at[i][static_cast<unsigned char>(lineDelim[i])] = true;
  }
  return ends;
}
static constexpr ColumnEnds columnEnds = FindColumnEnds();

// The input is read in blocks, and each row is copied from the block into
// line up to its line end, found with memchr: one pass over each byte.
static char block[readBlockSize];
// The part of the block not yet read.
static size_t blockStart, blockEnd;

void StartRows() {
  blockStart = blockEnd = 0;
}

// Make sure the block holds unread bytes of stream. Return rowRead, or
// lastRow at the end of the input, or readFailed after a read error. Neither
// is read past: a terminal is never asked again after its end.
static int FillBlock(FILE *stream) {
  while (blockStart == blockEnd) {
    if (ferror(stream) || feof(stream)) return ferror(stream) ? readFailed : lastRow;
    blockStart = 0;
    blockEnd = fread(block, 1, sizeof block, stream);
  }
  return rowRead;
}

// A row ends at an LF, or after maxRowLength bytes, or at the end of the
// input. A CR directly before the LF is part of the line end, also when it is
// the last byte of a full row. NUL bytes are copied like any other.
static inline int ReadLine(FILE *stream) {
  size_t length = 0;
  int found;
  while ((found = FillBlock(stream)) == rowRead) {
    size_t take = std::min(blockEnd - blockStart, maxRowLength - length);
    const char *from = block + blockStart;
    const char *lf = static_cast<const char *>(memchr(from, '\n', take));
    if (lf) take = static_cast<size_t>(lf - from);
    memcpy(line + length, from, take);
    length += take;
    blockStart += take;
    if (lf) {
      blockStart++;
      if (length > 0 && line[length - 1] == '\r') length--;
      break;
    }
    if (length == maxRowLength) {
      if (line[length - 1] == '\r') {
        // The LF that makes this CR a line end may be the first byte of the
        // next block.
        int next = FillBlock(stream);
        if (next == readFailed) return readFailed;
        if (next == rowRead && block[blockStart] == '\n') {
          blockStart++;
          length--;
        }
      }
      found = rowRead;
      break;
    }
  }
  if (found == readFailed) return readFailed;
  lineLength = length;
  // Zero where the splitter goes on past the row: one byte for each column
  // that the row lacks.
  memset(line + length, 0, std::size(column));
  return found;
}

// The conversion reads its rows through ReadLine and the fit through ReadRow:
// with one call each, the compiler builds ReadLine into the conversion's loop,
// where a call per row would cost more than any other test of a row.
int ReadRow(FILE *stream) {
  return ReadLine(stream);
}

// Split line into its first columns; the later ones keep what they held.
// Each use of its own, for the same reason as ReadLine.
template <size_t columns> static void SplitColumns() {
  char *p = line;
  for (size_t i = 0; i < columns; i++) {
    column[i] = p;
    while (!columnEnds.at[i][static_cast<unsigned char>(*p)])
      p++;
    columnLength[i] = static_cast<size_t>(p - column[i]);
    *p++ = '\0';
  }
}

void SplitRouteColumns() {
  SplitColumns<4>();
}

bool SplitRow() {
  SplitColumns<std::size(column)>();
  bool dms = true;
  if (!CoordDeg2Dec(column[7], columnLength[7]) && columnLength[7] != 0) dms = false;
  if (!CoordDeg2Dec(column[8], columnLength[8]) && columnLength[8] != 0) dms = false;
  return dms;
}

int GetMTP() {
  enum { notOpened, reading, exhausted };
  static FILE *pInMTP;
  static int state = notOpened;

  switch (state) {
  case notOpened:
    pInMTP = OpenFile(inMTP, "r");
    StartRows();
    // Without an input there is nothing to convert: end the run at once.
    state = pInMTP ? reading : exhausted;
    return pInMTP ? 0 : -1;
  case reading: {
    int read = ReadLine(pInMTP);
    // A row that a read error cut short would give a wrong position: the
    // input ends before it.
    if (read != readFailed) {
      if (!SplitRow()) nrRowsNotDms++;
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
        ReportError("can't read '%s'", inMTP);
      }
      CloseInput(pInMTP);
      StartRows();
      pInMTP = nullptr;
    }
    return -1;
  }
}
