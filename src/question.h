// The question for the distances, asked when an export is dropped onto the
// program without them.
#ifndef QUESTION_H
#define QUESTION_H

#include <cstddef>

// Bytes of an answer: room for two numbers of any sensible length, and blanks
// around them. A longer line is refused whole.
constexpr size_t answerSize = 64;

// What an answer says.
enum AnswerKind {
  answerEmpty,   // nothing but blanks: Enter
  answerTaken,   // one or two numbers of km
  answerRefused, // anything else, to be asked again
};

// Read answer, a line of length bytes without its line end (kept up to
// answerSize - 1 bytes, then a zero byte), as one or two numbers between
// blanks. For answerTaken set *first from the first number and *next from a
// second; otherwise set nothing.
AnswerKind ParseAnswer(const char *answer, size_t length, float *first, float *next);

// Answers refused in a row after which the question is no longer asked.
constexpr int maxRefusedAnswers = 10;

// Ask for both distances on one line, offering enterAnswer for Enter, until
// the answer is one or two numbers, or nothing. Set settings.firstKm from the
// first number and settings.nextKm from a second, and return true; return
// false for Enter, the end of the input or maxRefusedAnswers refusals, with
// nothing set.
bool AskDistances(const char *enterAnswer);

#endif
