// The rider's answer to the question, and what the question offers for
// Enter.
#include "dialog/question.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string blanks64(64, ' ');

const struct {
  std::string answer;
  AnswerKind kind;
  float first, next;   // as set, for answerDistances
  const char *numbers; // as they are told back
} answers[] = {
    {"", answerEmpty, 0, 0, ""},
    {" \t\r", answerEmpty, 0, 0, ""},
    {"20 30", answerDistances, 20, 30, "20 30"},
    {" 20\t\t30 \r", answerDistances, 20, 30, "20 30"},
    {"20.5 .5", answerDistances, 20.5f, 0.5f, "20.5 .5"},
    {"5. 007", answerDistances, 5, 7, "5. 007"},
    {"fit", answerFit, 0, 0, ""},
    {" FiT\r", answerFit, 0, 0, ""},
    {"Follow", answerFollow, 0, 0, ""},
    // One number alone would leave the other distance as it was.
    {"20", answerRefused, 0, 0, ""},
    {"20 30 40", answerRefused, 0, 0, ""},
    {"fit 20", answerRefused, 0, 0, ""},
    {"fits", answerRefused, 0, 0, ""},
    {".", answerRefused, 0, 0, ""},
    {"20 .", answerRefused, 0, 0, ""},
    {"1.2.3 4", answerRefused, 0, 0, ""},
    {"-5 5", answerRefused, 0, 0, ""},
    {"1e3 1", answerRefused, 0, 0, ""},
    {"20km 30", answerRefused, 0, 0, ""},
    // A comma for the point, as German riders write decimals.
    {"20,5 30", answerDistances, 20.5f, 30, "20,5 30"},
    {",5 1,", answerDistances, 0.5f, 1, ",5 1,"},
    {"20,30", answerRefused, 0, 0, ""},
    {"1,2.3 4", answerRefused, 0, 0, ""},
    {", 4", answerRefused, 0, 0, ""},
    {std::string("20 3\0"
                 "0",
                 5),
     answerRefused, 0, 0, ""},
    // 64 bytes or more before the line end: what was kept is cut short.
    {"20 30" + std::string(59, ' '), answerRefused, 0, 0, ""},
    {blanks64, answerRefused, 0, 0, ""},
    {"20 30" + std::string(58, ' '), answerDistances, 20, 30, "20 30"},
};

TEST(Question, ParseAnswer) {
  for (const auto &c : answers) {
    // The answer as ReadAnswer leaves it: at most answerSize - 1 bytes kept.
    std::string kept = c.answer.substr(0, answerSize - 1);
    Answer answer = {answerEmpty, 0, 0, ""};
    ParseAnswer(kept.c_str(), c.answer.size(), &answer);
    EXPECT_EQ(answer.kind, c.kind) << "'" << c.answer << "'";
    if (c.kind != answerDistances || answer.kind != answerDistances) continue;
    EXPECT_EQ(answer.first, c.first) << "'" << c.answer << "'";
    EXPECT_EQ(answer.next, c.next) << "'" << c.answer << "'";
    EXPECT_STREQ(answer.numbers, c.numbers) << "'" << c.answer << "'";
  }
}

// A trip of nrDays days, each with perDay locations of its own at the
// deviation own, shared out by the whole tour's file as SplitLocations would.
const Following &Trip(Count nrDays, int perDay, double own, double trip) {
  static Following following;
  following = Following{};
  following.most = navmanN20Locations;
  following.nrDays = nrDays;
  following.tripDeviation = trip;
  for (Count d = 0; d < std::min(nrDays, maxDayFiles); d++) {
    DayResult &day = following.day[d];
    day.ownCount = static_cast<uint8_t>(perDay);
    day.tripCount = static_cast<uint8_t>(nrDays <= navmanN20Locations ? perDay : 1);
    day.choices.deviation[perDay] = day.ownKm = own + static_cast<double>(d) / 100;
  }
  return following;
}

TEST(Question, OfferFitsTheConsole) {
  const struct {
    Count nrDays;
    int perDay;
    double own, trip;
    const char *offer;
  } trips[] = {
      {0, 0, 0, 0, "The export has no route point: press Enter for its POIs alone,"},
      {1, 1, 0, 0, "Press Enter for 1 location that follows the route (within 0.0 km of it),"},
      // Several days: the whole tour's file and the day files' worst.
      {2, 7, 0.4, 1.23,
       "Press Enter for 14 locations within 1.2 km of the route (day files: 0.4 km),"},
      {14, 1, 52.35, 52.44,
       "Press Enter for 14 locations within 52.4 km of the route (day files: 52.5 km),"},
      {2, 7, 9999.4, 19999.4,
       "Press Enter for 14 locations within 19999.4 km (day files: 9999.4 km),"},
      // The day files' worst, not the whole tour's file.
      {20, 5, 1.0, 9.0,
       "Press Enter for 20 day tours that follow the route (within 1.2 km of it),"},
      {120, 5, 1.0, 3.44,
       "Press Enter for 120 locations that follow the route (within 3.4 km of it),"},
      {1234567, 5, 1.0, 40003.4,
       "Press Enter for 1234567 locations that follow the route (within 40003.4 km),"},
  };
  for (const auto &t : trips) {
    char line[2 * maxQuestionLine];
    OfferOf(Trip(t.nrDays, t.perDay, t.own, t.trip), line, sizeof line);
    EXPECT_STREQ(line, t.offer);
    EXPECT_LE(strlen(line), static_cast<size_t>(maxQuestionLine)) << line;
  }
}

} // namespace
