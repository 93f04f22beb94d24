// The passes of a run: its outputs opened, the export's rows handed to each
// of them pass by pass, the outputs finished. The driver decides which
// outputs a run writes, as a table; this runs the table.
#ifndef PASSES_H
#define PASSES_H

#include "output.h"
#include "reader.h"

// One row of a run's table of outputs.
struct OutputRow {
  const Output *output; // the output
  bool endsReports;     // an empty line follows the reports up to this output's
};

// Open the n outputs of rows for conversion, hand them the rows of reader's
// export, open at its start, then pass after pass from its start again to
// those that need it, and close the export, telling a read error (a failed
// rewind among them). Then finish them in order: with the counts when the
// export read in every pass was the one chosen from, otherwise each told
// unfinished. After the reports up to an output that endsReports, when there
// were any, an empty line.
void RunPasses(ExportReader *reader, const Conversion &conversion, const OutputRow *rows, size_t n);

// Files open at once for the n outputs of rows, at most.
constexpr size_t FilesOpen(const OutputRow *rows, size_t n) {
  size_t files = 0;
  for (size_t i = 0; i < n; i++)
    files += rows[i].output->filesOpen;
  return files;
}

// Files the n outputs of rows write in one run, at most.
constexpr size_t FilesWritten(const OutputRow *rows, size_t n) {
  size_t files = 0;
  for (size_t i = 0; i < n; i++)
    files += rows[i].output->filesWritten;
  return files;
}

#endif
