// The export reader: reads the tour planner's text export one line at a time
// into a row of 11 columns that the writers share.
#ifndef READER_H
#define READER_H

#include <cstddef>
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

// The current row, followed by a zero byte for each column: a row with missing
// columns takes one of them for each column it lacks.
extern char line[1024];
// The bytes of the current row in line, before it is split.
extern size_t lineLength;
// The columns of the current row, pointers into line: 1 is the distance in km,
// 3 the name, 7 and 8 longitude and latitude in fraction digits.
extern char *column[11];
// The length of each column.
extern size_t columnLength[11];

// Rows of the export so far with a longitude or latitude that is not in DMS
// digits, and so is written as it stands.
extern Count nrRowsNotDms;

// Read and split the next row of the input. The first call only opens the
// input. Return 0 while there is a row, -1 once the input is finished.
int GetMTP();

// What ReadRow found: a row, the row that came with the end of the input, or
// a read error, which leaves an incomplete row that must never be used.
enum { rowRead = 0, lastRow = -1, readFailed = -2 };

// Forget what was read ahead of the rows: call whenever ReadRow is to read
// a stream from its start, and after it is closed.
void StartRows();

// Read the next line of stream into line. Return rowRead, lastRow (a possibly
// empty row) or readFailed.
int ReadRow(FILE *stream);

// Split line into its columns and convert both coordinates to fraction digits.
// Return false when a coordinate is there but not in DMS digits.
bool SplitRow();

// Split line into its columns up to the name, as SplitRow does: all that the
// thinning of the route looks at.
void SplitRouteColumns();

#endif
