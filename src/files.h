// File and console services shared by the reader, the writers and the
// driver: opening and closing files with their error reports, the writers'
// buffered output, the standard streams, the pause, and the run's failure
// flag.
#ifndef FILES_H
#define FILES_H

#include <cstddef>
#include <cstdio>

// An output file. Its text is assembled in a buffer of its own, which goes to
// the stream in one write whenever it is full and when the file is closed.
struct OutFile {
  FILE *stream; // nullptr while the file is not open
  size_t used;  // bytes of text waiting in the buffer
  char text[64 * 1024];
};

// Open fileName for reading ("r") or writing ("w"), always as bytes: the
// reader and the writers handle the CR LF line ends themselves, so that the
// files are the same on every platform. The name of a regular file that is
// open already is refused. Return the stream, or nullptr after reporting the
// failure and pausing.
FILE *OpenFile(const char *fileName, const char *options);

// Close a stream that was only read.
void CloseInput(FILE *stream);

// Close an output file, noticing any write that failed on the way. Return
// 0 on success, -1 after reporting that fileName could not be written.
int CloseFile(OutFile *out, const char *fileName);

// Append length bytes of text to out as they are. A write that fails shows
// when the file is closed.
void PutBytes(OutFile *out, const char *text, size_t length);

// Append a fixed text to out, its line ends written as CR LF in the text.
template <size_t N> inline void PutFixed(OutFile *out, const char (&text)[N]) {
  PutBytes(out, text, N - 1);
}

// Note that the run failed, so that it ends with exit status 1.
void SetFailed();

// Return 1 when something failed during the run, 0 otherwise.
int RunFailed();

// Open /dev/null on each closed standard stream, so that no file the program
// opens takes its place. Call first thing. Return 0, or -1 when that fails.
int GuardStandardStreams();

// Show a prompt and wait for one key press, after flushing the console.
void Pause();

#endif
