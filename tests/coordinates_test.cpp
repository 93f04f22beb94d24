#include "base/coordinates.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// One coordinate through both conversions: as in the export, as in the tour
// file, as in the POI file.
const struct {
  const char *dms, *fraction, *decimal;
} notations[] = {
    {"1134567", "1158242", "11.582420"},
    {"4812345", "4820958", "48.209580"},
    {"4800300", "4800833", "48.008330"},
    {"-0512345", "-0520958", "-05.209580"},    // sign and leading zero stay
    {"12345", "20958", ".209580"},             // no degree digits
    {"0959599", "0999997", "09.999970"},       // the largest fraction
    {"4800006", "4800017", "48.000170"},       // 16.67 rounds up, not down
    {"-17959599", "-17999997", "-179.999970"}, // the longest result
    {"", "", ""},
    // Not DMS digits: left as they are.
    {"1234", "1234", "1234"},
    {"48a2345", "48a2345", "48.a23450"},
    {"4812x45", "4812x45", "48.12x450"},
    {"-", "-", "-"},
    // Minutes of 60 and more whose fraction has no room in five digits.
    {"4860000", "4860000", "48.600000"},
    {"4899999", "4899999", "48.999990"},
    // Minutes of 60 and more that still fit are converted like any other.
    {"4809999", "4817775", "48.177750"},
    // Too long for any longitude or latitude: no decimal-degree text.
    {"1234567890", "1234567890", ""},
    {"123456712345", "123456720958", ""},
};

TEST(Coordinates, Notations) {
  for (const auto &n : notations) {
    char coord[16];
    snprintf(coord, sizeof coord, "%s", n.dms);
    DmsToFraction(coord);
    EXPECT_STREQ(coord, n.fraction) << "DMS digits " << n.dms;
    EXPECT_STREQ(FractionToDecimal(coord), n.decimal) << "fraction digits " << coord;
  }
}

// The fraction in single-precision steps from the last digit backwards, each
// quotient in double: a second way to compute it, with its own roundings.
long SinglePrecisionFraction(const int d[5]) {
  float f = static_cast<float>(d[4] / 36000.0);
  f = static_cast<float>(f + d[3] / 3600.0);
  f = static_cast<float>(f + d[2] / 360.0);
  f = static_cast<float>(f + d[1] / 60.0);
  f = static_cast<float>(f + d[0] / 6.0);
  float scaled = f * 100000.0f;
  return static_cast<long>(scaled + 0.5);
}

// Every five digits give 100000 times the exact fraction of a degree rounded
// to nearest, the same as the single-precision steps.
TEST(Coordinates, EveryFiveDigits) {
  int wrong = 0;
  for (int i = 0; i < 100000 && wrong < 10; i++) {
    char coord[16];
    snprintf(coord, sizeof coord, "-17%05d", i);
    DmsToFraction(coord);

    int d[5] = {i / 10000, i / 1000 % 10, i / 100 % 10, i / 10 % 10, i % 10};
    long tenths = d[0] * 6000L + d[1] * 600 + d[2] * 100 + d[3] * 10 + d[4];
    long want = SinglePrecisionFraction(d);

    // Minutes of 60 and more may leave no room: then the text stays.
    char wantText[32];
    snprintf(wantText, sizeof wantText, "-17%05ld", want <= 99999 ? want : i);
    // |v - 25 tenths / 9| < 1/2, in whole numbers.
    bool nearest = want > 99999 || 2 * labs(9 * want - 25 * tenths) < 9;
    if (strcmp(coord, wantText) != 0 || !nearest) {
      ADD_FAILURE() << "digits " << i << ": got " << coord << ", want " << wantText
                    << (nearest ? "" : " (not the nearest)");
      wrong++;
    }
  }
}

} // namespace
