// Route distances. Plain decimals like 123.4 are all that the tour planner
// writes, and every route row needs one: they are converted here directly,
// far cheaper than by sscanf. Below 2^24 as a whole number and with at most
// ten decimals, both the digits and the power of ten are exact as floats, so
// one float division rounds exactly as "%f" does. Every other text goes to
// sscanf itself.
#include "base/distance.h"

#include <cfloat>
#include <cstdio>
#include <iterator>

static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must round to float");

int ReadKm(const char *text, float *km) {
  static const float powersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                      1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
  unsigned long digits = 0;
  int nrDigits = 0, nrDecimals = 0;
  bool point = false;
  const char *p = text;
  for (; nrDigits <= 9; p++) {
    if (*p >= '0' && *p <= '9') {
      digits = digits * 10 + static_cast<unsigned long>(*p - '0');
      nrDigits++;
      nrDecimals += point;
    } else if (*p == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  // Where the digits stop, an exponent or a hexadecimal number may go on.
  bool plain = nrDigits > 0 && nrDigits <= 9 && digits < (1ul << 24) &&
               nrDecimals < static_cast<int>(std::size(powersOfTen)) && *p != 'e' && *p != 'E' &&
               *p != 'x' && *p != 'X';
  if (!plain) return sscanf(text, "%f", km) == 1;
  *km = static_cast<float>(digits) / powersOfTen[nrDecimals];
  return 1;
}
