// Distances are read as "%f" reads them, plain decimals on a fast path of
// their own: whatever the text, ReadKm must agree with sscanf to the bit.
#include "base/distance.h"

#include "random.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

// Whether ReadKm and sscanf("%f") agree on text: both read no number, or both
// the same float, bit for bit.
::testing::AssertionResult ReadsLikeScanf(const std::string &text) {
  float got = -1, want = -1;
  int gotOk = ReadKm(text.c_str(), &got);
  int wantOk = sscanf(text.c_str(), "%f", &want) == 1;
  if (gotOk == wantOk && (!gotOk || memcmp(&got, &want, sizeof got) == 0))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "'" << text << "': got " << (gotOk ? std::to_string(got) : "no number") << ", want "
         << (wantOk ? std::to_string(want) : "no number");
}

// Decimals with and without their fast path, numbers that only "%f" reads,
// and texts that are no number at all (the empty one among them), each ended
// by a "|".
const char texts[] =
    "0|10|12.5|12,5|42.195 km|20km| 7|+3|-0|-5|.5|5.|.|-||abc|1.2.3|0x10|0x|0xg|0X1p3|1e3|1e|"
    "12e5km|1.5E-3|nan|-nan|inf|-inf|infinity|1e999|1e39|16777215|16777216|16777217|99999999|"
    "123456789|1234567890|0.1|0.3|3.14159265|9999999.9|1677721.7|0.0000000001|0.00000000001|"
    "000000012.5|0000000000012.5|12.5\t|";

TEST(Distance, OddTexts) {
  std::string text;
  for (const char *c = texts; *c; c++) {
    if (*c != '|') {
      text += *c;
      continue;
    }
    EXPECT_TRUE(ReadsLikeScanf(text));
    text.clear();
  }
}

// Plain decimals of every shape the fast path takes and just beyond it: one
// to eleven digits, the point anywhere or nowhere.
TEST(Distance, PlainDecimals) {
  Random generator = {1};
  int wrong = 0;
  for (int i = 0; i < 300000 && wrong < 10; i++) {
    uint64_t state = generator.Next();
    int nrDigits = 1 + static_cast<int>(state >> 60) % 11;
    int point = static_cast<int>(state >> 40) % (nrDigits + 2) - 1; // -1: no point
    std::string text;
    for (int d = 0; d < nrDigits; d++) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + (state >> (4 * d + 3)) % 10);
    }
    if (point == nrDigits) text += '.';
    if (!ReadsLikeScanf(text)) {
      ADD_FAILURE() << ReadsLikeScanf(text).message();
      wrong++;
    }
  }
}

} // namespace
