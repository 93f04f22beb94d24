// The table of open files: the regular files the run has open, known by their
// identity (the volume and the file on it) rather than by name, so that no
// name opens one of them again. An output name that is a link to the export
// never truncates it, two outputs never write into one file, and a console
// redirected into a file is never read or written as the export or an output.
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

// The files the table holds at most: the export, the two outputs, a follow
// run's day file, GPX file and picture, and standard output and error. A
// file that finds it full is not opened.
constexpr size_t fileTableSize = 8;

// Return whether the table holds the file with identity id.
bool FileTableHolds(const FileId &id);

// Enter stream, the regular file with identity id, into the table. Return
// false, with nothing entered, when the table is full.
[[nodiscard]] bool FileTableAdd(FILE *stream, const FileId &id);

// Take stream out of the table, before it is closed.
void FileTableRemove(const FILE *stream);

// Enter standard output and standard error, where they are regular files.
// Call first thing, while the table is empty.
void FileTableAddConsole();

#endif
