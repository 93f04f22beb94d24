// The multi-stop tour writer. The file replaces the device's own
// MyMultiStopLocations.xml; its first item is the placeholder the device
// expects, then one item per location, coordinates in fraction digits.
#include "tourwriter.h"

#include "console.h"
#include "xmltext.h"

// Every line of the tour file ends in CR LF, as on the device.
static void WriteHead(OutFile *file) {
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

// Write the position in column i of row, in fraction digits: its last five
// characters are digits, and what stands before them is carried through as
// it is, escaped.
static void WritePosition(OutFile *file, const Row &row, size_t i) {
  size_t degrees = row.columnLength[i] - 5;
  PutXmlText(file, row.column[i], degrees);
  PutBytes(file, row.column[i] + degrees, 5);
}

// Write row, whose positions converted, as a location named by its distance
// text.
static void WriteLocation(OutFile *file, const Row &row) {
  PutFixed(file, "\r\n\t<Item class=\"Location\">\r\n\t<name>");
  PutXmlText(file, row.column[kmColumn], row.columnLength[kmColumn]);
  PutFixed(file, " km</name>\r\n\t<lat>");
  WritePosition(file, row, latitudeColumn);
  PutFixed(file, "</lat>\r\n\t<long>");
  WritePosition(file, row, longitudeColumn);
  PutFixed(file, "</long>\r\n"
                 "\t<heading>-1</heading>\r\n"
                 "\t<type>area</type>\r\n"
                 "\t</Item>\r\n");
}

// Report the finished file's count, with the device's limit in mind.
static void ReportLocations(const char *fileName, Count nrLocations) {
  if (nrLocations > maxLocations) {
    printf("File '%s' contains %lld locations.\n", fileName, nrLocations);
    printf("Warning: NAVMAN N20 doesn't support more than %lld locations per multi stop tour!\n",
           maxLocations);
  } else if (nrLocations == 0) {
    // Copied to the device, it would replace the rider's tour with nothing.
    printf("File '%s' contains 0 locations.\n", fileName);
    printf("Warning: the tour is empty!\n");
  } else {
    printf("File '%s' contains %lld locations (replaces "
           "NAVMAN::\\Program Files\\Navman\\SmartST_CE\\UserData\\MyMultiStopLocations.xml).\n",
           fileName, nrLocations);
  }
  printf("\n");
}

void OpenTourWriter(TourWriter *tour, const char *fileName, float first, float next) {
  tour->file.stream = OpenFile(fileName, "w");
  tour->file.used = 0;
  tour->name = fileName;
  tour->firstKm = first;
  tour->nextKm = next;
  tour->thinning = tourStart;
  tour->nrLocations = 0;
  tour->routeRowSeen = tour->textRowSeen = false;
  if (tour->file.stream) WriteHead(&tour->file);
}

void WriteTourRow(TourWriter *tour, const Row &row) {
  // Rows pass the thinning also without a tour file: whether there was a
  // route row tells an export from other files.
  RouteRow route = RouteRowOf(row);
  // Once the taking has started, there was one.
  if (!tour->thinning.taking) {
    tour->routeRowSeen |= route.hasKm;
    tour->textRowSeen |= row.length > 0;
  }
  if (ThinRow(&tour->thinning, route, tour->firstKm, tour->nextKm) && tour->file.stream) {
    tour->nrLocations++;
    WriteLocation(&tour->file, row);
  }
}

void FinishTourWriter(TourWriter *tour) {
  // A file that failed to open has been reported already: no count.
  if (!tour->file.stream) return;
  PutFixed(&tour->file, "\t</MultistopLocations>\r\n\t</MultistopLocations>\r\n");
  if (CloseOutput(&tour->file, tour->name) == 0) ReportLocations(tour->name, tour->nrLocations);
}
