// The console: the run's failure flag and its error report, the guard of the
// standard streams, and the pause that keeps the console window open.
#ifndef CONSOLE_H
#define CONSOLE_H

#include <cstdio>

// MinGW's printf, in C++, is its own ANSI one, whose formats (%zu among them)
// the compiler checks under another name, set once <cstdio> is in.
#ifdef __MINGW_PRINTF_FORMAT
#define PRINTF_LIKE(string, first) __attribute__((format(__MINGW_PRINTF_FORMAT, string, first)))
#else
#define PRINTF_LIKE(string, first) __attribute__((format(printf, string, first)))
#endif

// Print "Error: ", the message formatted as printf does, "!" and an empty
// line on the console, and note that the run failed.
void ReportError(const char *format, ...) PRINTF_LIKE(1, 2);

// Return 1 when something failed during the run, 0 otherwise.
int RunFailed();

// Open /dev/null on each closed standard stream, so that no file the program
// opens takes its place. Call first thing. Return 0, or -1 when that fails.
int GuardStandardStreams();

// Show a prompt and wait for one key press, after flushing the console.
void Pause();

#endif
