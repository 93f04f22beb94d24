// The question asked when an export is dropped onto the program, or found by
// a double-click, without distances: Enter takes the locations that follow
// the route; two distances, "fit" or "follow" choose otherwise. An answer
// that gives the device no usable tour is asked again.
#ifndef QUESTION_H
#define QUESTION_H

#include "choice/follow.h"
#include "dialog/cmdline.h"
#include "input/reader.h"

#include <cstddef>

// Bytes of an answer: room for two numbers of any sensible length, and blanks
// around them. A longer line is refused whole.
constexpr size_t answerSize = 64;

// The widest line of the question: a console window is 80 columns, and a
// line of 80 would leave the cursor on the next.
constexpr int maxQuestionLine = 79;

// What an answer says.
enum AnswerKind {
  answerEmpty,     // nothing but blanks: Enter
  answerDistances, // two numbers of km
  answerFit,       // "fit", in any case
  answerFollow,    // "follow", in any case
  answerRefused,   // anything else, to be asked again
};

// An answer as it was read.
struct Answer {
  AnswerKind kind;          // what it says
  float first, next;        // the distances of answerDistances
  char numbers[answerSize]; // their texts as typed, one blank between
};

// Read text, a line of length bytes without its line end (kept up to
// answerSize - 1 bytes, then a zero byte), into *answer.
void ParseAnswer(const char *text, size_t length, Answer *answer);

// Write the question's first line, what Enter gives for following, into
// line, of size bytes.
void OfferOf(const Following &following, char *line, size_t size);

// Answers refused in a row after which the question is no longer asked.
constexpr int maxRefusedAnswers = 10;

// Ask how to choose the locations of reader's export, open, whose route
// following holds, until the answer is usable; two distances are counted on
// the export, read once more from its start. Set *asked to the answer: the
// route followed, the fit, or the distances typed, in *first and *next.
// Return false when the export could not be read for a count.
bool AskHowToChoose(ExportReader *reader, const Following &following, Asked *asked, float *first,
                    float *next);

#endif
