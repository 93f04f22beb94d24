// Coordinate notations: conversions between DMS digits, fraction digits and
// decimal-degree text.
#include "base/coordinates.h"

#include <cstring>

// The digits of 0 to 99, two each.
struct TwoDigits {
  char at[100][2];
};
static constexpr TwoDigits FindTwoDigits() {
  TwoDigits t = {};
  for (int i = 0; i < 100; i++) {
    t.at[i][0] = static_cast<char>('0' + i / 10);
    t.at[i][1] = static_cast<char>('0' + i % 10);
  }
  return t;
}
static constexpr TwoDigits twoDigits = FindTwoDigits();

bool DmsToFraction(char *coord, size_t n) {
  if (n < 5) return false;
  char *digits = coord + n - 5;

  // Minutes, seconds and tenths as one count of tenths of a second.
  static const unsigned tenthsPerDigit[5] = {6000, 600, 100, 10, 1};
  unsigned tenths = 0;
  for (int i = 0; i < 5; i++) {
    unsigned digit = static_cast<unsigned char>(digits[i]) - unsigned{'0'};
    if (digit > 9) return false;
    tenths += digit * tenthsPerDigit[i];
  }

  // 100000 * tenths / 36000 = 25 * tenths / 9, rounded to nearest; a ninth
  // is never a half, so there are no ties to break.
  unsigned v = (50 * tenths + 9) / 18;
  if (v > 99999) return false; // minutes of 60 and more: no room for the result

  // Two digits at a time: every row of an export has two of these.
  unsigned hundreds = v / 100;
  digits[0] = static_cast<char>('0' + hundreds / 100);
  memcpy(digits + 1, twoDigits.at[hundreds % 100], 2);
  memcpy(digits + 3, twoDigits.at[v % 100], 2);
  return true;
}

const char *FractionToDecimal(const char *coord, size_t n, size_t *length) {
  // Room for the longest result, a sign and three degree digits with the
  // point and six decimals: "-123.456780".
  static char buffer[12];

  if (n > sizeof buffer - 3) {
    buffer[0] = '\0';
    *length = 0;
  } else if (n < 5) {
    memcpy(buffer, coord, n);
    buffer[n] = '\0';
    *length = n;
  } else {
    size_t degrees = n - 5;
    memcpy(buffer, coord, degrees);
    buffer[degrees] = '.';
    memcpy(buffer + degrees + 1, coord + degrees, 5);
    memcpy(buffer + degrees + 6, "0", 2);
    *length = n + 2;
  }
  return buffer;
}
