// The question for the distances, asked when an export is dropped onto the
// program without them.
#ifndef QUESTION_H
#define QUESTION_H

// Ask for both distances on one line, offering enterAnswer for Enter, until
// the answer is one or two numbers, or nothing. Set firstLoc from the first
// number and nextLoc from the second, and return true; return false for
// Enter or the end of the input, with nothing set.
bool AskDistances(const char *enterAnswer);

#endif
