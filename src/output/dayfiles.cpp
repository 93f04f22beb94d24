// The day files of a follow run. Only tours of 2 to 99 days have them: one
// day is the tour file itself, and more than 99 would crowd the rider's
// folder. Files of an earlier run for days beyond this run's stay as they
// are.
#include "output/dayfiles.h"

#include "output/tourwriter.h"

#include <algorithm>
#include <cstring>
#include <iterator>

// Whether following has day files.
static bool HasDayFiles(const Following &following) {
  return following.nrDays > 1 && following.nrDays <= maxDayFiles;
}

// What each day's file came to, for the report.
struct DayFileTold {
  Count nrLocations; // locations written
  bool written;      // the file was written whole
};

// The run's day files.
static struct {
  const Following *following;    // what was chosen
  const char *tourName;          // the whole tour's file, NAME.xml
  char name[fileNameSize + 6];   // the open day's file: "-day99" more
  OutFile file;                  // that file; file.stream is nullptr when none is open
  bool failed;                   // a day file failed to open, with what follows that
  DayFileTold told[maxDayFiles]; // each day's file
} days;

void OpenDayFilesOutput(const Conversion &conversion) {
  days.following = conversion.following;
  days.tourName = conversion.tourName;
  days.file.stream = nullptr;
  days.failed = false;
  std::fill(std::begin(days.told), std::end(days.told), DayFileTold{0, false});
}

// Open the file of the day that begins: NAME-dayN.xml, for NAME.xml.
static void OpenDay(Count day) {
  size_t base = strlen(days.tourName) - (sizeof ".xml" - 1);
  snprintf(days.name, sizeof days.name, "%.*s-day%lld.xml", static_cast<int>(base), days.tourName,
           day);
  // The day files fail alike: the first failure is enough to wait for.
  days.file.stream = OpenFile(days.name, "w", days.failed);
  days.file.used = 0;
  if (!days.file.stream) {
    days.failed = true;
    return;
  }
  WriteTourHead(&days.file);
}

// Write the day's end, end, and close its file.
static void CloseDay(Count day, const Row &end) {
  if (!days.file.stream) return;
  DayFileTold *told = &days.told[day - 1];
  WriteTourLocation(&days.file, end, true, 0);
  told->nrLocations++;
  WriteTourTail(&days.file);
  told->written = CloseOutput(&days.file, days.name) == 0;
}

void PutDayPlace(const Place &place) {
  if (!HasDayFiles(*days.following)) return;
  if (place.dayBegins) OpenDay(place.day);
  if (place.ownLocation && days.file.stream) {
    WriteTourLocation(&days.file, *place.row, true, 0);
    days.told[place.day - 1].nrLocations++;
  }
  if (place.step == stepDayEnd) CloseDay(place.day, *place.end);
}

bool FinishDayFilesOutput(bool whole, const char *exportName) {
  const Following &following = *days.following;
  bool told = false;
  if (HasDayFiles(following)) {
    size_t base = strlen(days.tourName) - (sizeof ".xml" - 1);
    for (Count d = 1; d <= following.nrDays; d++) {
      const DayFileTold &file = days.told[d - 1];
      if (!file.written) continue;
      if (!whole) {
        snprintf(days.name, sizeof days.name, "%.*s-day%lld.xml", static_cast<int>(base),
                 days.tourName, d);
        ReportUnfinished(days.name, exportName);
        continue;
      }
      printf("File '%.*s-day%lld.xml' contains %lld %s for day %lld, within %.1f km of the "
             "route.\n",
             static_cast<int>(base), days.tourName, d, file.nrLocations,
             file.nrLocations == 1 ? "location" : "locations", d, OwnDeviation(following, d));
      told = true;
    }
  }
  return told;
}
