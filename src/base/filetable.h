// The table of open files: the regular files the run has open, and the
// outputs it has written and closed, known by their identity (the volume and
// the file on it) rather than by name, so that no name opens one of them
// again. An output name that is a link to the export never truncates it, two
// outputs never write into one file (a day file linked to an earlier day's
// among them), and a console redirected into a file is never read or written
// as the export or an output.
#ifndef FILETABLE_H
#define FILETABLE_H

#include <cstddef>
#include <cstdio>

// What is open in a descriptor, as far as the table is concerned.
enum FileKind {
  regularFile, // a file on a disk: it has an identity
  folderFile,  // a folder, which is never read or written as a file
  otherFile,   // a device, a pipe or a terminal: never in the table
  unknownFile, // the system cannot tell what it is, so it may be any file
};

// Which file on which volume: two names with the same identity are one file.
struct FileId {
  unsigned long long volume, index;
};

// Find what is open in descriptor fd; for a regular file, set *id too.
FileKind KindOfFile(int fd, FileId *id);

// The files open at once that the table holds at most: standard output and
// error, the export and the outputs, as many as the driver's table of
// outputs opens at once (it checks). A file that finds it full is not opened.
constexpr size_t fileTableSize = 8;

// The outputs written and closed in one run that the table holds at most: a
// day file for each of 99 days and the rest, as many as the driver's table
// of outputs writes (it checks). Once more have been closed, no regular file
// is opened as an output: one of them might be it.
constexpr size_t maxClosedOutputs = 128;

// Return whether the table holds the file with identity id, open or written.
bool FileTableHolds(const FileId &id);

// Enter stream, the regular file with identity id, into the table. Return
// false, with nothing entered, when the table is full.
[[nodiscard]] bool FileTableAdd(FILE *stream, const FileId &id);

// Take stream out of the table, before it is closed.
void FileTableRemove(const FILE *stream);

// Take stream, an output, out of the table before it is closed, and hold
// its identity as written.
void FileTableClose(const FILE *stream);

// Forget the outputs written: a new run begins.
void FileTableForgetWritten();

// Enter standard output and standard error, where they are regular files.
// Call first thing, while the table is empty.
void FileTableAddConsole();

#endif
