// The export reader: reads the tour planner's text export one line at a time
// into a row of 9 columns, up to the position, the two coordinates in
// fraction digits; a GPX file (a name ending in ".gpx") it hands to the GPX
// reader, which gives the same rows. A reader holds one row at a time,
// whatever the size of the export.
#ifndef READER_H
#define READER_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>

// A count of rows, and so of locations or POIs: an export of a few gigabytes
// holds billions of rows, and a count must never wrap.
using Count = long long;
static_assert(std::numeric_limits<Count>::digits >= 63, "more rows than any disk holds");

// Bytes the reader takes from the input at a time. Smaller blocks cost more
// calls; larger ones only memory.
constexpr size_t readBlockSize = 64 * 1024;

// Bytes of one line that make a row; a longer line goes on in the next row.
constexpr size_t maxRowLength = 1000;

// The columns of a row, up to the latitude, and the four that mean something.
constexpr size_t nrColumns = 9;
enum { kmColumn = 1, nameColumn = 3, longitudeColumn = 7, latitudeColumn = 8 };

// One row of the export.
struct Row {
  // The row's bytes. Once split, each column ends in a zero byte, and a zero
  // byte follows for each column the row lacks.
  char text[maxRowLength + 24];
  size_t length;                  // bytes of the row as read, before the split
  char *column[nrColumns];        // the columns once split, pointers into text
  size_t columnLength[nrColumns]; // the length of each column
  bool positionsConverted;        // once split, both positions are fraction digits
  bool waypointNamed;             // a GPX file's route point without a name of its own
};

// An export being read, and what was read of it so far.
struct ExportReader {
  FILE *stream;              // the export; nullptr while none is open
  const char *name;          // its name, for the reports
  char block[readBlockSize]; // bytes read from the stream ahead of the rows
  size_t blockStart;         // the first byte of block not yet in a row
  size_t blockEnd;           // the end of what the last read put in block
  bool ended;                // no row is left: the last one is out, or no stream is open
  Count nrRowsNotDms;        // rows with a position that is not DMS digits
  size_t lineSoFar;          // bytes of the current line in the rows before this one
  Count nrLongLines;         // lines longer than a row, each read as several rows
  bool rewound;              // read more than once: each pass's bytes are digested
  bool rewindFailed;         // a rewind after the first failed: a read error
  uint64_t digest;           // of the bytes read in this pass so far
  uint64_t nrBytes;          // bytes read in this pass so far
  bool digested;             // a pass has read the export to its end
  uint64_t wholeDigest;      // the digest of that pass
  uint64_t wholeBytes;       // and its bytes
  bool changed;              // a later pass read other bytes than that one
  bool gpx;                  // a GPX file, read by the GPX reader into rows
};

// Open the export fileName for reader. Return false after reporting that it
// cannot be opened.
bool OpenExport(ExportReader *reader, const char *fileName);

// Start reader's export again from its first byte, with nothing counted.
// Return false when the stream cannot go back: on the first rewind, a pipe
// most likely; on a later one, a read error, as ExportReadFailed tells.
// From the first rewind on, each pass that reads the export to its end is
// held against the first such pass, byte for byte (by a digest of them).
bool RewindExport(ExportReader *reader);

// RewindExport for another reading within a pass of a reader of another
// kind of file, which keeps its own state.
bool RereadExport(ExportReader *reader);

// Whether a pass read other bytes than the first whole pass, or more of
// them: the export was written while the run read it. A pass that finds
// more bytes ends there.
bool ExportChanged(const ExportReader &reader);

// Read reader's export, open, from its start to its end, only to see that
// it is still the export of the earlier passes. Return false after a read
// error (told as the export is closed); true otherwise, changed or not.
bool VerifyExport(ExportReader *reader);

// Read the next row of reader's export into row, split, with both positions
// in fraction digits. Return false once the export is finished: the end of
// the input gives one last row (possibly empty) first, a read error none.
bool ReadExportRow(ExportReader *reader, Row *row);

// Make sure reader's block holds unread bytes of its stream, for a reader of
// another kind of file. Return rowRead, or lastRow at the end of the input,
// or readFailed after a read error.
int FillExportBlock(ExportReader *reader);

// Close reader's export, reporting a read error or a refusal that ended it.
void CloseExport(ExportReader *reader);

// Start reader on stream, the export name open for reading at its start,
// with nothing read ahead and nothing counted.
void StartReading(ExportReader *reader, FILE *stream, const char *name);

// What ReadLine found: a row, the row that came with the end of the input,
// or a read error, which leaves a row cut short at the point of the error.
enum { rowRead = 0, lastRow = -1, readFailed = -2 };

// Read the next line of reader's stream into row, unsplit. Return rowRead,
// lastRow (a possibly empty row) or readFailed.
int ReadLine(ExportReader *reader, Row *row);

// Read the next row of reader's export into row, split as SplitRow splits
// it, or of a GPX file as the GPX reader gives it. Return rowRead, lastRow
// (a possibly empty row, the last: for a GPX file always an empty one, also
// after a refusal, which ExportRefused tells) or readFailed.
int ReadRow(ExportReader *reader, Row *row);

// Split row into its columns and convert both positions to fraction digits,
// noting in row->positionsConverted whether both converted. Return false when
// a position is there but not DMS digits as the tour planner writes them
// (seconds of 60 or more convert, carried into the minutes, but count here).
bool SplitRow(Row *row);

// Copy row, split, into *to, its columns with it.
void CopyRow(Row *to, const Row &row);

// Whether reader's file is a GPX file that the GPX reader refused (not
// well-formed, no GPX, nothing in it): it ends the rows early.
bool ExportRefused(const ExportReader &reader);

// Whether a read of reader's export failed since it was opened or rewound,
// or a rewind after the first failed.
bool ExportReadFailed(const ExportReader &reader);

#endif
