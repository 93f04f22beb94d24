// rovalto: converts a Motorrad Tourenplaner text export into a multi-stop tour
// and a POI list for the Navman SmartST navigation software.
//
// The driver: settings, file handling and the pause that every part shares.
#ifndef ROVALTO_H
#define ROVALTO_H

#include <cstdio>

// Identification line, printed first.
extern const char prgIdent[];
// Input file: the tour planner's text export.
extern char inMTP[100];
// Output file: the multi-stop tour.
extern char outRoute[100];
// Output file: the POI list.
extern char outPOI[100];
// Route distance in km at which the tour writer starts taking locations.
extern float firstLoc;
// Least distance in km between two locations of the tour.
extern float nextLoc;

// Set the settings from the command line and report them. Return 0, or -1
// after reporting a base name that does not fit the file name fields.
int CmdLine(int argc, char **argv);

// Open fileName for reading ("r") or writing ("w"), always as bytes: the
// reader and PutText translate the line ends themselves, so that the files are
// the same on every platform. Return the stream, or nullptr after reporting
// the failure and pausing.
FILE *OpenFile(const char *fileName, const char *options);

// Close an output stream, noticing any write that failed on the way. Return
// 0 on success, -1 after reporting that fileName could not be written.
int CloseFile(FILE *stream, const char *fileName);

// Write text to the stream, every LF as CR LF.
void PutText(FILE *stream, const char *text);

// Write one byte to the stream as it is; an error shows in the stream's
// error state. Unlocked: the program has one thread, and per byte the lock
// costs more than the write.
inline void PutRawByte(char c, FILE *stream) {
#ifdef _WIN32
  _putc_nolock(c, stream);
#else
  putc_unlocked(c, stream);
#endif
}

// Read a distance as "%f" reads it. Return 1 with *km set, or 0 when the text
// does not begin with a number (then *km is unchanged).
int ReadKm(const char *text, float *km);

// Note that the run failed, so that it ends with exit status 1.
void SetFailed();

// Show a prompt and wait for one key press, after flushing the console.
void Pause();

#endif
