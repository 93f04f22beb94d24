// The console: the run's failure flag and its error report, the guard of the
// standard streams, and the pause that keeps the console window open.
#ifndef CONSOLE_H
#define CONSOLE_H

#include <cstddef>
#include <cstdio>

// The longest command line Windows passes, and so the longest path: 32767
// UTF-16 units and the terminator, and as many arguments at most.
constexpr size_t maxPathUnits = 32768;
// The same in bytes of UTF-8: each unit at most three bytes (a pair of them,
// four).
constexpr size_t maxPathBytes = 3 * maxPathUnits;

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

// The same for a message that ends in advice, with "." in place of "!".
void ReportErrorSentence(const char *format, ...) PRINTF_LIKE(1, 2);

// Return 1 when something failed during the run, 0 otherwise.
int RunFailed();

// Note that the run failed, for a failure told in words of its own.
void FailRun();

// Open /dev/null on each closed standard stream, so that no file the program
// opens takes its place, and make a write to a pipe without a reader a write
// error rather than the end of the run. Call first thing. Return 0, or -1
// when that fails.
int GuardStandardStreams();

// Show a prompt and wait for one key press, after flushing the console.
void Pause();

// Exports of this size and more are long work: a follow run on 1 MB of
// route points (some 20,000) takes seconds, under Wine more.
constexpr unsigned long long progressBytes = 1000000;

// Progress of long work, on a terminal (a console on Windows) alone, never
// in a pipe or a file: label, then how far a pass over total bytes is, on a
// line of its own updated in place ("Choosing the locations... 45 %").
// Shown from StartProgress, when standard output is a terminal and total is
// at least progressBytes, to EndProgress, which blanks the line; an error
// report blanks it too, and the next step shows it again.
void StartProgress(const char *label, unsigned long long total);
void ShowProgress(unsigned long long done);
void EndProgress();

// The most bytes of one line of an answer: the rest of a longer line is the
// next line, so that an input without line ends is still read in lines.
constexpr size_t maxAnswerLine = 64 * 1024;

// Read one line of standard input into answer, byte by byte, so that nothing
// after it is taken from the pause. Keep at most size - 1 bytes of it, and
// the terminator. Return the line's length without its line end, or -1 at
// the end of the input with nothing read.
long ReadAnswer(char *answer, size_t size);

// Whether standard input is a terminal (on Windows, a console), where the
// rider's typing shows the answer.
bool InputIsTerminal();

// Whether standard output is one, where a line can be updated in place.
bool OutputIsTerminal();

// The processes that share the program's console: 1 when Windows made the
// console for this run alone, as for a double-click in Explorer; 0 without a
// console, and always 0 outside Windows.
unsigned long ConsoleProcesses();

#ifdef _WIN32
// Return the command line, which Windows hands over in UTF-16, in UTF-8, the
// program's character set for names.
char **CommandLineInUtf8(int argc, wchar_t **wideArgv);

// Let a console window show the names in UTF-8 for the run; its code page is
// set back on every way out. Nothing else is touched.
void UseUtf8Console();
#endif

#endif
