// The table of open files: the regular files the run has open, known by their
// identity (the volume and the file on it) rather than by name, so that no
// name opens one of them again. An output name that is a link to the export
// never truncates it, and two outputs never write into one file.
#ifndef OPENFILES_H
#define OPENFILES_H

#include <cstdio>

// Return whether fileName names a regular file that the table holds.
bool OpenFileTableHolds(const char *fileName);

// Enter the file open in stream into the table, if it is a regular file.
void OpenFileTableAdd(FILE *stream);

// Take stream out of the table, before it is closed.
void OpenFileTableRemove(FILE *stream);

#endif
