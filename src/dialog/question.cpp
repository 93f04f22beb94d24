// The question. Nothing typed is ever taken as anything but what it plainly
// says: every other answer is asked again, and so is a pair of distances
// that would give the device no location or more than it takes, unless the
// rider insists on it.
#include "dialog/question.h"

#include "base/console.h"
#include "base/distance.h"
#include "choice/fit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

// Whether the n bytes at text are a plain number: digits with at most one
// point among them (20, 20.5, .5, 5.), or a comma in its place, as German
// riders write decimals (20,5).
static bool IsPlainNumber(const char *text, size_t n) {
  size_t digits = strspn(text, "0123456789");
  if (digits < n && (text[digits] == '.' || text[digits] == ','))
    digits += 1 + strspn(text + digits + 1, "0123456789");
  return digits == n && strspn(text, ".,") < n;
}

// Read the plain number of n bytes at text as a distance.
static float PlainKm(const char *text, size_t n) {
  char number[answerSize];
  snprintf(number, sizeof number, "%.*s", static_cast<int>(n), text);
  char *comma = strchr(number, ',');
  if (comma) *comma = '.';
  float km = 0;
  ReadKm(number, &km);
  return km;
}

// Whether the n bytes at text are word, in any case of its ASCII letters.
static bool IsWord(const char *text, size_t n, const char *word) {
  if (n != strlen(word)) return false;
  for (size_t i = 0; i < n; i++)
    if ((text[i] | 0x20) != word[i]) return false;
  return true;
}

void ParseAnswer(const char *text, size_t length, Answer *answer) {
  answer->kind = answerRefused;
  // A NUL byte would end the answer early: "20\0" "3" is no "20".
  if (length >= answerSize || memchr(text, '\0', length)) return;
  // Words between blanks; a CR before the line end is a blank too.
  const char *const blanks = " \t\r";
  const char *word[3];
  size_t size[3], nrWords = 0;
  for (const char *p = text + strspn(text, blanks); *p; p += strspn(p, blanks)) {
    if (nrWords == std::size(word)) return;
    word[nrWords] = p;
    size[nrWords] = strcspn(p, blanks);
    p += size[nrWords++];
  }
  if (nrWords == 0) {
    answer->kind = answerEmpty;
  } else if (nrWords == 1 && IsWord(word[0], size[0], "fit")) {
    answer->kind = answerFit;
  } else if (nrWords == 1 && IsWord(word[0], size[0], "follow")) {
    answer->kind = answerFollow;
  } else if (nrWords == 2 && IsPlainNumber(word[0], size[0]) && IsPlainNumber(word[1], size[1])) {
    answer->first = PlainKm(word[0], size[0]);
    answer->next = PlainKm(word[1], size[1]);
    snprintf(answer->numbers, sizeof answer->numbers, "%.*s %.*s", static_cast<int>(size[0]),
             word[0], static_cast<int>(size[1]), word[1]);
    answer->kind = answerDistances;
  }
}

void OfferOf(const Following &following, char *line, size_t size) {
  if (following.nrDays == 0) {
    snprintf(line, size, "The export has no route point: press Enter for its POIs alone,");
    return;
  }
  // The day files' worst: each day's own tour, as good as its file is.
  double days = 0;
  bool dayFiles = following.nrDays > 1 && following.nrDays <= maxDayFiles;
  for (Count d = 1; dayFiles && d <= following.nrDays; d++)
    days = std::max(days, OwnDeviation(following, d));
  int n;
  if (dayFiles && following.nrDays > following.most) {
    n = snprintf(line, size,
                 "Press Enter for %lld day tours that follow the route (within %.1f km "
                 "of it),",
                 following.nrDays, days);
  } else if (dayFiles) {
    n = snprintf(line, size,
                 "Press Enter for %lld locations within %.1f km of the route (day "
                 "files: %.1f km),",
                 TripLocations(following), following.tripDeviation, days);
  } else {
    Count locations = TripLocations(following);
    char what[48];
    snprintf(what, sizeof what,
             locations == 1 ? "1 location that follows" : "%lld locations that follow", locations);
    n = snprintf(line, size, "Press Enter for %s the route (within %.1f km of it),", what,
                 following.tripDeviation);
    // Only very many days whose ends lie far apart come near the width.
    if (n > maxQuestionLine)
      n = snprintf(line, size, "Press Enter for %s the route (within %.1f km),", what,
                   following.tripDeviation);
  }
  // Figures of thousands of km on a tour of several days.
  if (n > maxQuestionLine && dayFiles && following.nrDays <= following.most)
    snprintf(line, size, "Press Enter for %lld locations within %.1f km (day files: %.1f km),",
             TripLocations(following), following.tripDeviation, days);
}

// Show the answer after the question where no typing showed it, so that a
// console fed from a file reads as a typed one; a typed Enter has ended the
// line already. length is ReadAnswer's.
static void ShowAnswer(const char *text, long length) {
  bool typed = InputIsTerminal();
  if (!typed && length > 0) {
    size_t n = std::min(static_cast<size_t>(length), answerSize - 1);
    if (text[n - 1] == '\r') n--;
    fwrite(text, 1, n, stdout);
  }
  if (!typed || length < 0) printf("\n");
}

bool AskHowToChoose(ExportReader *reader, const Following &following, Asked *asked, float *first,
                    float *next) {
  // Enter, "follow", the end of the input and no usable answer alike.
  *asked = askedFollow;
  char offer[2 * maxQuestionLine];
  OfferOf(following, offer, sizeof offer);
  Answer before = {answerEmpty, 0, 0, ""};
  // An input that never says anything useful (yes abc | rovalto ...) must
  // not keep the run asking.
  for (int refused = 0; refused < maxRefusedAnswers; refused++) {
    printf("%s\nor type two distances in km, for the first and the next locations: ", offer);
    fflush(stdout);
    char text[answerSize];
    long length = ReadAnswer(text, sizeof text);
    ShowAnswer(text, length);
    if (length < 0) return true;
    Answer answer;
    ParseAnswer(text, static_cast<size_t>(length), &answer);
    if (answer.kind == answerEmpty || answer.kind == answerFollow) return true;
    if (answer.kind == answerFit) {
      *asked = askedFit;
      return true;
    }
    if (answer.kind == answerRefused)
      printf("Please type two numbers, such as 20 30, or just press Enter.\n");
    if (answer.kind == answerDistances) {
      // The same numbers once more: the rider wants them as they are.
      bool insisted = before.kind == answerDistances && before.first == answer.first &&
                      before.next == answer.next;
      Count n = insisted ? 0 : CountLocations(reader, answer.first, answer.next);
      if (n < 0) return false;
      if (insisted || (n >= 1 && n <= following.most)) {
        *first = answer.first;
        *next = answer.next;
        *asked = askedDistances;
        return true;
      }
      // Typed again, the pair is taken as it is.
      if (n == 0)
        printf("%s gives no location at all; type it again to keep it.\n", answer.numbers);
      else
        printf("%s gives %lld locations; the device takes at most %lld; type it again to keep "
               "it.\n",
               answer.numbers, n, following.most);
    }
    before = answer;
  }
  printf("No usable answer: the program takes what Enter takes.\n");
  return true;
}
