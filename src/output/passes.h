// The passes of a run: its outputs opened, the export's places handed to
// each of them pass by pass, the outputs finished. The driver decides which
// outputs a run writes, as a table; this runs the table.
#ifndef PASSES_H
#define PASSES_H

#include "input/reader.h"
#include "output/output.h"

#include <iterator>
#include <utility>

// Outputs in one table at most.
constexpr size_t maxOutputs = 16;

// One row of a run's table of outputs.
struct OutputRow {
  const Output *output; // the output
  bool endsReports;     // an empty line follows the reports up to this output's
};

// Hand each place of one pass over reader's export to the outputs that are
// wanted, until the pass ends; in a follow run, as marker marks them.
using ReadPass = void (*)(ExportReader *reader, Marker *marker, const bool *wanted);

// Open the n outputs of rows for conversion, hand them the places of
// reader's export, open at its start, by readPass, then pass after pass from its
// start again to those that need it, and close the export, telling a read
// error (a failed rewind among them). Then finish them in order: with the
// counts when the export read in every pass was the one chosen from,
// otherwise each told unfinished. After the reports up to an output that
// endsReports, when there were any, an empty line.
void RunPasses(ExportReader *reader, const Conversion &conversion, const OutputRow *rows, size_t n,
               ReadPass readPass);

// The outputs of table, each wanted, take place: each call is known when
// the program is built, so that the writers' work on a place is built into
// the loop, as if written out by hand.
template <const auto &table, size_t... i>
inline void PutEach(const Place &place, const bool *wanted, std::index_sequence<i...>) {
  ((wanted[i] ? table[i].output->put(place) : void()), ...);
}

// A follow run's pass: each place marked, then handed to the outputs
// wanted. Not built into the loop of ReadPassOf: the writers' work on a
// marked place is far more than the call, and built in whole it took more
// memory than the run's data.
template <const auto &table>
[[gnu::noinline]] void MarkedPassOf(ExportReader *reader, Marker *marker, const bool *wanted) {
  constexpr auto each = std::make_index_sequence<std::size(table)>();
  static Row row;
  Place place;
  while (ReadExportRow(reader, &row)) {
    MarkRow(marker, &row, &place);
    PutEach<table>(place, wanted, each);
  }
  if (MarkEnd(marker, &place)) PutEach<table>(place, wanted, each);
}

// Flattened: every call of a row's work built in, as the writers' were in
// the loop by hand; a conversion by distance takes 8 % fewer instructions.
template <const auto &table>
[[gnu::flatten]] void ReadPassOf(ExportReader *reader, Marker *marker, const bool *wanted) {
  if (marker) return MarkedPassOf<table>(reader, marker, wanted);
  constexpr auto each = std::make_index_sequence<std::size(table)>();
  // A row of its own: nothing written into it can be taken for the reader.
  static Row row;
  Place place;
  while (ReadExportRow(reader, &row)) {
    TakePlace(&row, nullptr, &place);
    PutEach<table>(place, wanted, each);
  }
}

// Hand place, of the reading that chooses the route, to every output of
// table that sees such places.
template <const auto &table> void SeeEach(const Place &place) {
  for (const OutputRow &row : table)
    if (row.output->see) row.output->see(place);
}

// Run the passes of table, an array of OutputRow, as RunPasses does.
template <const auto &table> void RunTable(ExportReader *reader, const Conversion &conversion) {
  static_assert(std::size(table) <= maxOutputs);
  RunPasses(reader, conversion, table, std::size(table), ReadPassOf<table>);
}

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
