// The multi-stop tour writer. The file replaces the device's own
// MyMultiStopLocations.xml; its first item is the placeholder the device
// expects, then one item per location, coordinates in fraction digits.
#include "output/tourwriter.h"

#include "base/console.h"
#include "base/xmltext.h"

#include <cstring>

// Every line of the tour file ends in CR LF, as on the device.
void WriteTourHead(OutFile *file) {
  PutFixed(file, "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\r\n"
                 "<MultistopLocations>\r\n\r\n"
                 "\t<MultistopLocations class=\"LocationList\">"
                 "\r\n\r\n\t<Item class=\"Location\">\r\n"
                 "\t<name></name>\r\n"
                 "\t<lat>0</lat>\r\n"
                 "\t<long>0</long>\r\n"
                 "\t<heading>-1</heading>\r\n"
                 "\t<type>poi</type>\r\n"
                 "\t</Item>\r\n");
}

// Write a coordinate in fraction digits: its last five characters are
// digits, and what stands before them is carried through as it is, escaped.
static void WritePosition(OutFile *file, Text fraction) {
  size_t degrees = fraction.length - 5;
  PutXmlText(file, fraction.bytes, degrees);
  PutBytes(file, fraction.bytes + degrees, 5);
}

static void PutXml(OutFile *file, Text text) {
  PutXmlText(file, text.bytes, text.length);
}

// An item's start, up to its name.
static void PutItemStart(OutFile *file) {
  PutFixed(file, "\r\n\t<Item class=\"Location\">\r\n\t<name>");
}

// The end of an item's name, when the name ends in the distance text.
static void PutNameEnd(OutFile *file) {
  PutFixed(file, " km</name>\r\n\t<lat>");
}

// An item's end, from its latitude: row's position and the rest.
static void PutItemEnd(OutFile *file, const Row &row) {
  WritePosition(file, LatitudeOf(row));
  PutFixed(file, "</lat>\r\n\t<long>");
  WritePosition(file, LongitudeOf(row));
  PutFixed(file, "</long>\r\n"
                 "\t<heading>-1</heading>\r\n"
                 "\t<type>area</type>\r\n"
                 "\t</Item>\r\n");
}

// The item of a location taken by distance, named by its distance text.
static void WriteDistanceItem(OutFile *file, const Row &row) {
  PutItemStart(file);
  PutXml(file, KmOf(row));
  PutNameEnd(file);
  PutItemEnd(file, row);
}

void PutLocationName(OutFile *file, const Row &row, Count day) {
  if (day > 0) {
    char text[32];
    int n = snprintf(text, sizeof text, "Day %lld: ", day);
    PutBytes(file, text, static_cast<size_t>(n));
  }
  Text name = NameOf(row);
  bool named = name.length > 0;
  if (named) {
    PutXml(file, name);
    PutFixed(file, " (");
  }
  PutXml(file, KmOf(row));
  if (named)
    PutFixed(file, " km)");
  else
    PutFixed(file, " km");
}

void WriteTourLocation(OutFile *file, const Row &row, bool following, Count day) {
  if (!following) {
    WriteDistanceItem(file, row);
    return;
  }
  PutItemStart(file);
  PutLocationName(file, row, day);
  PutFixed(file, "</name>\r\n\t<lat>");
  PutItemEnd(file, row);
}

void WriteTourTail(OutFile *file) {
  PutFixed(file, "\t</MultistopLocations>\r\n\t</MultistopLocations>\r\n");
}

// Report the count of locations of the tour file fileName, written whole,
// for a device that takes most, in a follow run with its deviation: the
// count line, the deviation, the warning for too many or none.
static void ReportTourCount(const char *fileName, Count nrLocations, Count most, bool following,
                            double deviation) {
  const char *noun = following && nrLocations == 1 ? "location" : "locations";
  if (nrLocations > most) {
    printf("File '%s' contains %lld %s.\n", fileName, nrLocations, noun);
  } else if (nrLocations == 0) {
    printf("File '%s' contains 0 locations.\n", fileName);
  } else {
    printf("File '%s' contains %lld %s (replaces "
           "NAVMAN::\\Program Files\\Navman\\SmartST_CE\\UserData\\MyMultiStopLocations.xml).\n",
           fileName, nrLocations, noun);
  }
  if (following && nrLocations > 0)
    printf("Between its locations the tour keeps within %.1f km of the route.\n", deviation);
  if (nrLocations > most)
    printf("Warning: NAVMAN N20 doesn't support more than %lld locations per multi stop tour!\n",
           most);
  // Copied to the device, an empty tour would replace the rider's with nothing.
  if (nrLocations == 0) printf("Warning: the tour is empty!\n");
}

// The run's tour file, and what the rows showed on the way.
static struct {
  OutFile file;               // the tour file; file.stream is nullptr when it did not open
  const char *name;           // its name, for the reports
  float firstKm;              // route distance at which the taking starts
  float nextKm;               // least distance between two locations
  Thinning thinning;          // where the thinning stands
  Count nrLocations;          // locations taken
  Count most;                 // the locations the device takes
  bool routeRowSeen;          // a row's distance read as a number
  bool textRowSeen;           // a row was not empty before the taking started
  const Following *following; // a follow run's choice; nullptr: by distance
} tour;

void OpenTourOutput(const Conversion &conversion) {
  tour.file.stream = OpenFile(conversion.tourName, "w");
  tour.file.used = 0;
  tour.name = conversion.tourName;
  tour.firstKm = conversion.firstKm;
  tour.nextKm = conversion.nextKm;
  tour.thinning = tourStart;
  tour.nrLocations = 0;
  tour.most = conversion.most;
  tour.routeRowSeen = tour.textRowSeen = false;
  // A tour taken by distance walks the days for the picture alone.
  tour.following = conversion.choosing == byFollowing ? conversion.following : nullptr;
  if (tour.file.stream) WriteTourHead(&tour.file);
}

// Write a location of the whole tour's file that a follow run marked: a
// place before its day's end, or the end that a day's end holds.
static void WriteFollowed(const Place &place) {
  const Following &following = *tour.following;
  if (!place.tripLocation && place.step != stepDayEnd) return;
  if (!TripHoldsDay(following, place.day)) return;
  tour.nrLocations++;
  if (!tour.file.stream) return;
  // Several days in one file: each location says its day.
  Count day = following.nrDays > 1 && !TripIsFirstDay(following) ? place.day : 0;
  WriteTourLocation(&tour.file, place.tripLocation ? *place.row : *place.end, true, day);
}

void PutTourPlace(const Place &place) {
  // Places pass the thinning also without a tour file: whether there was a
  // route row tells an export from other files.
  if (tour.following) {
    tour.routeRowSeen |= place.route.hasKm;
    tour.textRowSeen |= place.row->length > 0;
    WriteFollowed(place);
    return;
  }
  // Once the taking has started, there was one.
  if (!tour.thinning.taking) {
    tour.routeRowSeen |= place.route.hasKm;
    tour.textRowSeen |= place.row->length > 0;
  }
  if (ThinRow(&tour.thinning, place.route, tour.firstKm, tour.nextKm) && tour.file.stream) {
    tour.nrLocations++;
    WriteDistanceItem(&tour.file, *place.row);
  }
}

bool FinishTourOutput(bool whole, const char *exportName) {
  // A file that failed to open has been reported already: no count.
  if (!tour.file.stream) return false;
  if (!whole) return CloseUnfinished(&tour.file, tour.name, exportName);
  WriteTourTail(&tour.file);
  if (CloseOutput(&tour.file, tour.name) != 0) return false;
  bool following = tour.following != nullptr;
  ReportTourCount(tour.name, tour.nrLocations, tour.most, following,
                  following ? tour.following->tripDeviation : 0);
  // A trip copied day by day: what to copy when.
  if (following && TripIsFirstDay(*tour.following)) {
    size_t base = strlen(tour.name) - (sizeof ".xml" - 1);
    printf("It holds day 1: copy it to the device before you leave, then each evening the "
           "next day's file, '%.*s-day2.xml' first.\n",
           static_cast<int>(base), tour.name);
  }
  return true;
}

void TourRowsSeen(bool *text, bool *route) {
  *text = tour.textRowSeen;
  *route = tour.routeRowSeen;
}

bool OpenBesideTour(BesideTour *beside, const char *tourName, const char *extension) {
  size_t base = strlen(tourName) - (sizeof ".xml" - 1);
  snprintf(beside->name, sizeof beside->name, "%.*s%s", static_cast<int>(base), tourName,
           extension);
  beside->tour = FileNameOf(tourName);
  beside->tourLength = strlen(beside->tour) - (sizeof ".xml" - 1);
  beside->file.stream = OpenFile(beside->name, "w");
  beside->file.used = 0;
  return beside->file.stream != nullptr;
}

void PutTourName(BesideTour *beside) {
  PutUtf8XmlText(&beside->file, beside->tour, beside->tourLength);
}
