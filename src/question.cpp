// The question for the distances. Nothing typed is ever taken as anything
// but one or two numbers: every other answer is asked again.
#include "question.h"

#include "console.h"
#include "distance.h"
#include "settings.h"

#include <cstdio>
#include <cstring>

// Whether the n bytes at text are a plain number: digits with at most one
// point among them (20, 20.5, .5, 5.).
static bool IsPlainNumber(const char *text, size_t n) {
  size_t digits = strspn(text, "0123456789");
  if (digits < n && text[digits] == '.') digits += 1 + strspn(text + digits + 1, "0123456789");
  return digits == n && strspn(text, ".") < n;
}

AnswerKind ParseAnswer(const char *answer, size_t length, float *first, float *next) {
  // A NUL byte would end the answer early: "20\0" "3" is no "20".
  if (length >= answerSize || memchr(answer, '\0', length)) return answerRefused;
  // Words between blanks; a CR before the line end is a blank too.
  const char *const blanks = " \t\r";
  const char *words[2];
  size_t nrWords = 0;
  for (const char *p = answer + strspn(answer, blanks); *p; p += strspn(p, blanks)) {
    size_t n = strcspn(p, blanks);
    if (nrWords == 2 || !IsPlainNumber(p, n)) return answerRefused;
    words[nrWords++] = p;
    p += n;
  }
  if (nrWords == 0) return answerEmpty;
  // Each number ends at its word's end: a blank follows, or the end.
  ReadKm(words[0], first);
  if (nrWords == 2) ReadKm(words[1], next);
  return answerTaken;
}

bool AskDistances(const char *enterAnswer) {
  for (int refused = 0;; refused++) {
    // An input that never says anything useful (yes abc | rovalto ...) must
    // not keep the run asking.
    if (refused == maxRefusedAnswers) {
      printf("No usable answer: the program takes what Enter takes.\n");
      return false;
    }
    printf("Distances in km, first location and next locations (Enter: %s): ", enterAnswer);
    fflush(stdout);
    char answer[answerSize];
    long length = ReadAnswer(answer, sizeof answer);
    // A typed Enter ends the line on a terminal; this ends it everywhere,
    // so that the console reads the same when the answer comes from a file.
    printf("\n");
    if (length < 0) return false;
    switch (ParseAnswer(answer, static_cast<size_t>(length), &settings.firstKm, &settings.nextKm)) {
    case answerEmpty: return false;
    case answerTaken: return true;
    case answerRefused: break;
    }
    printf("Please type one or two numbers of km, such as 20 30, or just press Enter.\n");
  }
}
