// File and console services shared by the reader, the writers and the
// driver: opening and closing files with their error reports, line-end
// translation, the pause, and the run's failure flag.
#ifndef FILES_H
#define FILES_H

#include <cstdio>

// Open fileName for reading ("r") or writing ("w"), always as bytes: the
// reader and PutText translate the line ends themselves, so that the files are
// the same on every platform. A name of a regular file that is open already
// is refused. Return the stream, or nullptr after reporting the failure and
// pausing.
FILE *OpenFile(const char *fileName, const char *options);

// Close a stream that was only read.
void CloseInput(FILE *stream);

// Close an output stream, noticing any write that failed on the way. Return
// 0 on success, -1 after reporting that fileName could not be written.
int CloseFile(FILE *stream, const char *fileName);

// Write text to the stream, every LF as CR LF.
void PutText(FILE *stream, const char *text);

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
