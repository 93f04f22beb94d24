// Files of an earlier run. A follow run of 2 to 99 days writes the day files
// of its days; every other run writes none.
#include "output/earlier.h"

#include "base/files.h"
#include "base/settings.h"
#include "choice/follow.h"
#include "output/gpxwriter.h"

#include <cstdio>
#include <cstring>

// The days whose files conversion wrote: 1 up to the result.
static Count DaysWritten(const Conversion &conversion) {
  const Following *following = conversion.following;
  if (conversion.choosing != byFollowing || following->nrDays < 2 ||
      following->nrDays > maxDayFiles)
    return 0;
  return following->nrDays;
}

// Tell that first and n - 1 more files, of the kind the plural more names,
// are from an earlier run.
static void Warn(const char *first, Count n, const char *more) {
  if (n == 1)
    printf("Warning: '%s' is from an earlier run!\n\n", first);
  else
    printf("Warning: '%s' and %lld more %s are from an earlier run!\n\n", first, n - 1, more);
}

void WarnAboutEarlierFiles(const Conversion &conversion) {
  const char *tourName = conversion.tourName;
  int base = static_cast<int>(strlen(tourName) - (sizeof ".xml" - 1));
  char name[fileNameSize + 6], first[fileNameSize + 6];
  Count n = 0;
  for (Count d = DaysWritten(conversion) + 1; d <= maxDayFiles; d++) {
    snprintf(name, sizeof name, "%.*s-day%lld.xml", base, tourName, d);
    if (KindOfName(name) == nameMissing) continue;
    if (n++ == 0) memcpy(first, name, sizeof name);
  }
  if (n > 0) Warn(first, n, n == 2 ? "day file" : "day files");
  if (conversion.following) return;
  char svg[fileNameSize + 6], gpx[fileNameSize + 6];
  snprintf(svg, sizeof svg, "%.*s.svg", base, tourName);
  snprintf(gpx, sizeof gpx, "%.*s%s", base, tourName, gpxSuffix);
  bool hasSvg = KindOfName(svg) != nameMissing, hasGpx = KindOfName(gpx) != nameMissing;
  if (hasSvg && hasGpx)
    printf("Warning: '%s' and '%s' are from an earlier run!\n\n", svg, gpx);
  else if (hasSvg || hasGpx)
    Warn(hasSvg ? svg : gpx, 1, "");
}
