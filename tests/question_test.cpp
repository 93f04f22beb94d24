// The rider's answer to the question: one or two plain numbers between
// blanks, or nothing; everything else is asked again.
#include "question.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const std::string blanks64(64, ' ');

const struct {
  std::string answer;
  AnswerKind kind;
  float first, next; // as set, from 1 and 2 before the answer
} cases[] = {
    {"", answerEmpty, 1, 2},
    {" \t\r", answerEmpty, 1, 2},
    {"20", answerTaken, 20, 2},
    {"20 30", answerTaken, 20, 30},
    {" 20\t30 \r", answerTaken, 20, 30},
    {"20.5 .5", answerTaken, 20.5f, 0.5f},
    {"5.", answerTaken, 5, 2},
    {"20 30 40", answerRefused, 1, 2},
    {".", answerRefused, 1, 2},
    {"20 .", answerRefused, 1, 2},
    {"1.2.3", answerRefused, 1, 2},
    {"-5", answerRefused, 1, 2},
    {"1e3", answerRefused, 1, 2},
    {"20km", answerRefused, 1, 2},
    {"fit", answerRefused, 1, 2},
    {std::string("20\0"
                 "3",
                 4),
     answerRefused, 1, 2},
    // 64 bytes or more before the line end: what was kept is cut short.
    {"20 30" + std::string(59, ' '), answerRefused, 1, 2},
    {blanks64, answerRefused, 1, 2},
    {"20 30" + std::string(58, ' '), answerTaken, 20, 30},
};

TEST(Question, ParseAnswer) {
  for (const auto &c : cases) {
    // The answer as ReadAnswer leaves it: at most answerSize - 1 bytes kept.
    std::string kept = c.answer.substr(0, answerSize - 1);
    float first = 1, next = 2;
    EXPECT_EQ(ParseAnswer(kept.c_str(), c.answer.size(), &first, &next), c.kind)
        << "'" << c.answer << "'";
    EXPECT_EQ(first, c.first) << "'" << c.answer << "'";
    EXPECT_EQ(next, c.next) << "'" << c.answer << "'";
  }
}

} // namespace
