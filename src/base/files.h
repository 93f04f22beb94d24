// File services shared by the reader, the writers, the command line and the
// driver: opening and closing files with their error reports, the writers'
// buffered output, and the names on the command line.
#ifndef FILES_H
#define FILES_H

#include "base/console.h"

#include <cstddef>
#include <cstdio>

// Bytes of text an output file holds before they go to its stream: large
// enough that a write costs little per byte.
constexpr size_t outBufferSize = 64 * 1024;

// An output file. Its text is assembled in a buffer of its own, which goes to
// the stream in one write whenever it is full and when the file is closed.
struct OutFile {
  FILE *stream; // nullptr while the file is not open
  size_t used;  // bytes of text waiting in the buffer
  char text[outBufferSize];
};

// Open fileName for reading ("r") or writing ("w"), always as bytes: the
// reader and the writers handle the CR LF line ends themselves, so that the
// files are the same on every platform. Refused are a folder, a file open
// already (the console's included), a file that cannot be told apart from
// one, a FIFO without a reader, and on Windows an export that is a device.
// Return the stream, or nullptr after reporting the failure as
// ReportOpenFailure does.
FILE *OpenFile(const char *fileName, const char *options, bool again = false);

// Report that fileName cannot be opened with options ("r" or "w"), then
// call what AfterFailedOpen set, unless again: another file of a series
// that fails alike, whose first failure has had it.
void ReportOpenFailure(const char *fileName, const char *options, bool again = false);

// Have then called after a failed open is reported: the driver's pause,
// so that the rider reads the message before the run goes on. Nothing is
// called until it is set.
void AfterFailedOpen(void (*then)());

// The size in bytes of the regular file open as stream; 0 for anything else
// or when it cannot be told.
unsigned long long StreamSize(FILE *stream);

// What a name on the command line names.
enum NameKind { nameMissing, nameOfFile, nameOfOther };

// Find what fileName names: a regular file, something else, or nothing.
NameKind KindOfName(const char *fileName);

// Return the file name in path: what follows its last folder separator.
const char *FileNameOf(const char *path);

// Make the folder of path the current folder; a path without one leaves it
// as it is. Return 0, or -1.
int EnterFolderOf(const char *path);

// Return the bytes of the UTF-8 character at text, or 0 when none starts
// there: a stray continuation byte, an overlong form, a surrogate, beyond
// U+10FFFF, or cut short.
size_t Utf8Bytes(const char *text);

// Whether name ends in extension (".txt", say), in any case of its letters.
bool EndsInExtension(const char *name, const char *extension);

// The length of fileName as the base name limit counts it: its characters
// when it is UTF-8, as every name on Windows is, otherwise its bytes.
size_t NameLength(const char *fileName);

// Close a stream that was only read.
void CloseInput(FILE *stream);

// Close an output file, noticing any write that failed on the way. Return
// 0 on success, -1 after reporting that fileName could not be written.
int CloseOutput(OutFile *out, const char *fileName);

// Close an output file that the run could not finish, since exportName
// changed while it was read, and tell so. Return false: nothing it holds is
// reported.
bool CloseUnfinished(OutFile *out, const char *fileName, const char *exportName);

// Tell that fileName, written, is unfinished since exportName changed while
// it was read, or as UnfinishedBecause last said.
void ReportUnfinished(const char *fileName, const char *exportName);

// Why the files of a pass cut short are unfinished, after exportName in the
// report: "changed while it was read" unless said otherwise here.
void UnfinishedBecause(const char *why);

// Append length bytes of text to out as they are. A write that fails shows
// when the file is closed.
void PutBytes(OutFile *out, const char *text, size_t length);

// Append a fixed text to out, its line ends written as CR LF in the text.
template <size_t N> inline void PutFixed(OutFile *out, const char (&text)[N]) {
  PutBytes(out, text, N - 1);
}

#endif
