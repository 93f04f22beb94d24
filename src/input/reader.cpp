// The export reader. One line of the export holds six tab-ended fields, a
// field ended by "(", then "longitude,latitude)", a tab-ended field (the
// altitude) and the rest of the line; the coordinates are in degrees, minutes
// and seconds.
#include "input/reader.h"

#include "base/console.h"
#include "base/coordinates.h"
#include "base/files.h"
#include "base/xmltext.h"
#include "input/gpx.h"

#include <algorithm>
#include <cstring>
#include <iterator>

// The byte that ends each column. What follows the latitude's bracket, the
// altitude and the rest of the line, is read by nobody and never split.
static constexpr char columnDelimiters[] = {'\t', '\t', '\t', '\t', '\t', '\t', '(', ',', ')'};
static_assert(std::size(columnDelimiters) == nrColumns);
static_assert(sizeof Row::text >= maxRowLength + nrColumns,
              "a row of maxRowLength bytes needs a zero byte for each missing column");

// For each column, the bytes that end it: its delimiter and NUL. Every byte
// of every row is tested here, and one look-up costs less than the two
// comparisons it replaces.
struct ColumnEnds {
  bool at[nrColumns][256];
};
static constexpr ColumnEnds FindColumnEnds() {
  ColumnEnds ends{};
  for (size_t i = 0; i < nrColumns; i++) {
    ends.at[i][0] = true;
    ends.at[i][static_cast<unsigned char>(columnDelimiters[i])] = true;
  }
  return ends;
}
static constexpr ColumnEnds columnEnds = FindColumnEnds();

// FNV-1a's start.
static constexpr uint64_t fnvOffset = 0xCBF29CE484222325;

// Start a pass at the stream's present position, with nothing counted.
static void StartPass(ExportReader *reader) {
  reader->blockStart = reader->blockEnd = 0;
  reader->ended = false;
  reader->nrRowsNotDms = 0;
  reader->lineSoFar = 0;
  reader->nrLongLines = 0;
  reader->digest = fnvOffset;
  reader->nrBytes = 0;
}

void StartReading(ExportReader *reader, FILE *stream, const char *name) {
  reader->stream = stream;
  reader->name = name;
  reader->rewound = reader->rewindFailed = false;
  reader->digested = reader->changed = false;
  reader->gpx = false;
  StartPass(reader);
}

bool OpenExport(ExportReader *reader, const char *fileName) {
  StartReading(reader, OpenFile(fileName, "r"), fileName);
  // Without a stream there is nothing to read.
  reader->ended = reader->stream == nullptr;
  TakeInputAsUtf8(reader->stream && IsGpxName(fileName));
  if (reader->stream && IsGpxName(fileName)) {
    reader->gpx = true;
    ForgetWaypoints();
    // Without the parser's memory the file is not read at all.
    if (!StartGpxPass(reader)) reader->rewindFailed = reader->ended = true;
  }
  return reader->stream != nullptr;
}

bool RereadExport(ExportReader *reader) {
  if (fseek(reader->stream, 0, SEEK_SET) != 0) {
    // The first rewind tells a stream that never goes back; a later one
    // that fails leaves a pass unread, as a read error does.
    reader->rewindFailed = reader->rewound;
    reader->ended = true;
    return false;
  }
  clearerr(reader->stream);
  reader->rewound = true;
  StartPass(reader);
  return true;
}

bool RewindExport(ExportReader *reader) {
  if (!RereadExport(reader)) return false;
  if (reader->gpx && !StartGpxPass(reader)) {
    reader->rewindFailed = reader->ended = true;
    return false;
  }
  return true;
}

bool ExportChanged(const ExportReader &reader) {
  return reader.changed;
}

// Hold the pass that has just read the export to its end against the first
// one that did. Called again at the same end, it finds the same.
static void EndPass(ExportReader *reader) {
  if (!reader->rewound) return;
  if (!reader->digested) {
    reader->digested = true;
    reader->wholeDigest = reader->digest;
    reader->wholeBytes = reader->nrBytes;
  } else if (reader->digest != reader->wholeDigest || reader->nrBytes != reader->wholeBytes) {
    reader->changed = true;
  }
}

// Add n bytes at text to digest: FNV-1a taken a 64-bit word at a time, so
// that a pass costs a fraction of an instruction a byte more. fread fills
// every block but the last, so the same bytes are always cut into the same
// words.
static uint64_t Digest(uint64_t digest, const char *text, size_t n) {
  constexpr uint64_t prime = 0x100000001B3;
  for (; n >= sizeof(uint64_t); n -= sizeof(uint64_t), text += sizeof(uint64_t)) {
    uint64_t word;
    memcpy(&word, text, sizeof word);
    digest = (digest ^ word) * prime;
  }
  for (; n > 0; n--, text++)
    digest = (digest ^ static_cast<unsigned char>(*text)) * prime;
  return digest;
}

// Make sure the block holds unread bytes of the stream. Return rowRead, or
// lastRow at the end of the input, or readFailed after a read error. Neither
// is read past: a terminal is never asked again after its end.
static int FillBlock(ExportReader *reader) {
  while (reader->blockStart == reader->blockEnd) {
    if (ferror(reader->stream)) return readFailed;
    if (feof(reader->stream) || reader->changed) {
      if (!reader->changed) EndPass(reader);
      return lastRow;
    }
    reader->blockStart = 0;
    reader->blockEnd = fread(reader->block, 1, sizeof reader->block, reader->stream);
    reader->nrBytes += reader->blockEnd;
    ShowProgress(reader->nrBytes);
    if (!reader->rewound) continue;
    reader->digest = Digest(reader->digest, reader->block, reader->blockEnd);
    // An export grown since the first pass: nothing past its old end is read.
    if (reader->digested && reader->nrBytes > reader->wholeBytes) {
      reader->changed = true;
      reader->blockEnd = reader->blockStart;
    }
  }
  return rowRead;
}

int FillExportBlock(ExportReader *reader) {
  return FillBlock(reader);
}

// A row ends at an LF, or after maxRowLength bytes, or at the end of the
// input. A CR directly before the LF is part of the line end, also when it is
// the last byte of a full row. NUL bytes are copied like any other. Each row
// is copied from the block up to its line end, found with memchr: one pass
// over each byte.
static inline int ReadLineInto(ExportReader *reader, Row *row) {
  size_t length = 0;
  bool lineEnded = true; // false for a row that the limit ended
  int found;
  while ((found = FillBlock(reader)) == rowRead) {
    size_t take = std::min(reader->blockEnd - reader->blockStart, maxRowLength - length);
    const char *from = reader->block + reader->blockStart;
    const char *lf = static_cast<const char *>(memchr(from, '\n', take));
    if (lf) take = static_cast<size_t>(lf - from);
    memcpy(row->text + length, from, take);
    length += take;
    reader->blockStart += take;
    if (lf) {
      reader->blockStart++;
      if (length > 0 && row->text[length - 1] == '\r') length--;
      break;
    }
    if (length == maxRowLength) {
      lineEnded = false;
      if (row->text[length - 1] == '\r') {
        // The LF that makes this CR a line end may be the first byte of the
        // next block.
        int next = FillBlock(reader);
        if (next == readFailed) return readFailed;
        if (next == rowRead && reader->block[reader->blockStart] == '\n') {
          reader->blockStart++;
          length--;
          lineEnded = true;
        }
      }
      found = rowRead;
      break;
    }
  }
  if (found == readFailed) return readFailed;
  if (!lineEnded) {
    reader->lineSoFar += length;
  } else if (reader->lineSoFar > 0) {
    // A line of exactly a row's length gives an empty row after it, and is
    // no longer than a row.
    if (reader->lineSoFar + length > maxRowLength) reader->nrLongLines++;
    reader->lineSoFar = 0;
  }
  row->length = length;
  // Zero where the splitter goes on past the row: one byte for each column
  // that the row lacks.
  memset(row->text + length, 0, nrColumns);
  return found;
}

// The conversion reads its rows through ReadExportRow, the fit and the
// choice through ReadRow: the compiler builds ReadLineInto into the
// conversion's loop, where a call per row would cost more than any other
// test of a row.
int ReadLine(ExportReader *reader, Row *row) {
  return ReadLineInto(reader, row);
}

// Split row into its columns.
static inline void SplitColumns(Row *row) {
  char *p = row->text;
  for (size_t i = 0; i < nrColumns; i++) {
    row->column[i] = p;
    while (!columnEnds.at[i][static_cast<unsigned char>(*p)])
      p++;
    row->columnLength[i] = static_cast<size_t>(p - row->column[i]);
    *p++ = '\0';
  }
}

// SplitRow, built into the conversion's loop as ReadLineInto is.
static inline bool SplitRowInto(Row *row) {
  SplitColumns(row);
  bool dms = true;
  row->positionsConverted = true;
  row->waypointNamed = false;
  for (size_t i : {longitudeColumn, latitudeColumn}) {
    size_t n = row->columnLength[i];
    // The tens of the seconds, before the conversion overwrites them.
    bool secondsBelow60 = n < 5 || row->column[i][n - 3] < '6';
    if (!DmsToFraction(row->column[i], n)) {
      row->positionsConverted = false;
      // An empty position is none, not one in other digits.
      if (n != 0) dms = false;
    } else if (!secondsBelow60) {
      dms = false;
    }
  }
  return dms;
}

bool SplitRow(Row *row) {
  return SplitRowInto(row);
}

int ReadRow(ExportReader *reader, Row *row) {
  if (!reader->gpx) {
    int read = ReadLineInto(reader, row);
    SplitRowInto(row);
    return read;
  }
  if (ReadGpxRow(reader, row)) return rowRead;
  if (ExportReadFailed(*reader)) return readFailed;
  row->length = 0;
  memset(row->text, 0, nrColumns);
  SplitColumns(row);
  row->positionsConverted = row->waypointNamed = false;
  return lastRow;
}

bool ReadExportRow(ExportReader *reader, Row *row) {
  if (reader->ended) return false;
  if (reader->gpx) return ReadGpxRow(reader, row);
  int read = ReadLineInto(reader, row);
  // A row that a read error cut short would give a wrong position: the
  // input ends before it.
  if (read == readFailed) return false;
  if (!SplitRowInto(row)) reader->nrRowsNotDms++;
  reader->ended = read == lastRow;
  return true;
}

void CloseExport(ExportReader *reader) {
  if (!reader->stream) return;
  // A read error ends the input, but must not pass for a complete
  // conversion.
  if (ExportReadFailed(*reader))
    ReportError("can't read '%s'", reader->name);
  else if (ExportRefused(*reader))
    ReportError("'%s' is no GPX file: %s", reader->name, GpxFoundSoFar().error);
  CloseInput(reader->stream);
  reader->stream = nullptr;
  reader->ended = true;
}

void CopyRow(Row *to, const Row &row) {
  // A column the row lacks is one of the zero bytes after it.
  size_t used = std::min(row.length + nrColumns + 1, sizeof row.text);
  memcpy(to->text, row.text, used);
  to->length = row.length;
  for (size_t i = 0; i < nrColumns; i++) {
    to->column[i] = to->text + (row.column[i] - row.text);
    to->columnLength[i] = row.columnLength[i];
  }
  to->positionsConverted = row.positionsConverted;
  to->waypointNamed = row.waypointNamed;
}

bool ExportRefused(const ExportReader &reader) {
  return reader.gpx && GpxFoundSoFar().refused;
}

bool ExportReadFailed(const ExportReader &reader) {
  return reader.rewindFailed || (reader.stream && ferror(reader.stream));
}

bool VerifyExport(ExportReader *reader) {
  if (!RewindExport(reader)) return false;
  int found;
  while ((found = FillBlock(reader)) == rowRead)
    reader->blockStart = reader->blockEnd;
  return found != readFailed;
}
