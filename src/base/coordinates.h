// Coordinate notations. Coordinates travel as text in three notations:
//   DMS digits         1134567    11 degrees 34 minutes 56.7 seconds (export)
//   fraction digits    1158242    the last five digits in 1/100000 degree (tour)
//   decimal degrees    11.582420  a point before the last five, a "0" after (POIs)
// Whatever stands before the last five characters, sign and leading zeros
// included, is carried through as it is.
#ifndef COORDINATES_H
#define COORDINATES_H

#include <cstddef>
#include <cstring>

// Turn the n characters of DMS digits in coord into fraction digits in place;
// the length never changes. A text whose last five characters are not
// minutes, seconds and tenths whose fraction fits five digits is left as it
// is. Return whether the text was converted.
bool DmsToFraction(char *coord, size_t n);
inline bool DmsToFraction(char *coord) {
  return DmsToFraction(coord, strlen(coord));
}

// Return the decimal-degree text of the n characters of fraction digits in
// coord, and its length in *length. The result lives in a buffer that the next
// call overwrites. Texts of fewer than five characters come back unchanged;
// texts of more than nine, which no longitude or latitude has, come back empty.
const char *FractionToDecimal(const char *coord, size_t n, size_t *length);
inline const char *FractionToDecimal(const char *coord) {
  size_t length;
  return FractionToDecimal(coord, strlen(coord), &length);
}

#endif
