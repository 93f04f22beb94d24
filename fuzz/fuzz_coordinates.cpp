// Arbitrary texts, any length and any bytes, through both coordinate
// conversions: the text never grows or moves, and the decimal-degree text
// always fits its buffer.
#include "base/coordinates.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // A copy of exactly the text's size, so that AddressSanitizer catches any
  // byte written past it.
  char *coord = static_cast<char *>(malloc(size + 1));
  memcpy(coord, data, size);
  coord[size] = '\0';
  size_t n = strlen(coord);
  char *before = static_cast<char *>(malloc(n + 1));
  memcpy(before, coord, n + 1);

  DmsToFraction(coord);
  // Only the last five characters may change.
  if (strlen(coord) != n || (n >= 5 && memcmp(coord, before, n - 5) != 0)) abort();

  const char *decimal = FractionToDecimal(coord);
  size_t m = strlen(decimal);
  if (n < 5 && strcmp(decimal, coord) != 0) abort();
  if (n >= 5 && n <= 9 && (m != n + 2 || decimal[n - 5] != '.')) abort();
  if (n > 9 && m != 0) abort();

  free(before);
  free(coord);
  return 0;
}
