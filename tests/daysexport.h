// An export of whole days of route points on a road that winds, for tests
// that need a number of days and of points a day rather than a real tour.
#ifndef DAYSEXPORT_H
#define DAYSEXPORT_H

#include <cstdio>
#include <string>

// nrDays days of nrPoints route points each, every one named, CR LF ends.
inline std::string DaysExport(int nrDays, int nrPoints) {
  std::string text;
  for (int d = 0; d < nrDays; d++) {
    if (d > 0) text += "\r\n";
    for (int i = 0; i < nrPoints; i++) {
      char row[128];
      snprintf(row, sizeof row,
               "%d\t%d.0\t0:00\tOrt\t\tRoute\t(11%02d%02d0,47%02d%02d0)\t\t574 m\r\n", i, i,
               (d + i) % 60, i * 7 % 60, d % 60, i * 13 % 60);
      text += row;
    }
  }
  return text;
}

#endif
