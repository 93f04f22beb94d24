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

bool AskDistances(const char *enterAnswer) {
  for (;;) {
    printf("Distances in km, first location and next locations (Enter: %s): ", enterAnswer);
    fflush(stdout);
    // Room for two numbers of any sensible length, and blanks around them.
    char answer[64];
    long length = ReadAnswer(answer, sizeof answer);
    // A typed Enter ends the line on a terminal; this ends it everywhere,
    // so that the console reads the same when the answer comes from a file.
    printf("\n");
    if (length < 0) return false;

    // Words between blanks; a CR before the line end is a blank too.
    const char *const blanks = " \t\r";
    const char *words[3];
    size_t nrWords = 0;
    bool plain = static_cast<size_t>(length) < sizeof answer;
    for (const char *p = answer + strspn(answer, blanks); *p && plain; p += strspn(p, blanks)) {
      size_t n = strcspn(p, blanks);
      plain = nrWords < 2 && IsPlainNumber(p, n);
      words[nrWords++] = p;
      p += n;
    }
    if (plain && nrWords == 0) return false;
    if (plain) {
      // The number ends at the word's end: a blank follows, or the end.
      ReadKm(words[0], &firstLoc);
      if (nrWords == 2) ReadKm(words[1], &nextLoc);
      return true;
    }
    printf("Please type one or two numbers of km, such as 20 30, or just press Enter.\n");
  }
}
