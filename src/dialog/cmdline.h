// The command line: which export a run converts, under which names, and the
// distance texts it gives. An export may be named by its base name, or be a
// file dropped onto the program (Explorer passes its full path, and any
// further files dropped with it); a double-click names none.
#ifndef CMDLINE_H
#define CMDLINE_H

// What the command line asks for, beside the file names it sets.
struct CommandLine {
  bool dropped;            // the export was dropped onto the program
  bool doubleClicked;      // started from Explorer with no file: the default export
  const char *distance[2]; // the distance texts given, first and next
  int nrDistances;         // how many of them there are: 0, 1 or 2
};

// How the locations are to be chosen.
enum Asked {
  askedDistances, // by the distances given, or the defaults
  askedFit,       // "fit" in place of the first distance, or as the answer
  askedFollow,    // "follow" in place of the first distance, or Enter
  askedRider,     // a dropped or double-clicked export without distances: the question
};

// How line asks the locations to be chosen.
Asked AskedOf(const CommandLine &line);

// Whether a run with argc arguments (the program's name counted) whose
// console is shared by consoleProcesses processes was double-clicked: no
// file named, and a console that Windows made for the run alone.
bool IsDoubleClick(int argc, unsigned long consoleProcesses);

// Read argc and argv into *line and the three file names of settings; print
// the usage text when there is no base name to take, except after a
// double-click, which leaves the default names. Return false after reporting a command line that
// cannot be converted. A dropped export's folder becomes the current folder.
bool ReadCommandLine(int argc, char **argv, CommandLine *line);

#endif
