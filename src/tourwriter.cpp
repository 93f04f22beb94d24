// The multi-stop tour writer. The file replaces the device's own
// MyMultiStopLocations.xml; its first item is the placeholder the device
// expects, then one item per location, coordinates in fraction digits.
#include "tourwriter.h"

#include "files.h"
#include "reader.h"
#include "settings.h"
#include "thinning.h"

bool routeRowSeen, textRowSeen;

// Every line of the tour file ends in CR LF, as on the device.
static void WriteHead(OutFile *tourFile) {
  PutFixed(tourFile, "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\r\n"
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

// Write the current row as a location named by its distance text.
static void WriteLocation(OutFile *tourFile) {
  PutFixed(tourFile, "\r\n\t<Item class=\"Location\">\r\n\t<name>");
  PutBytes(tourFile, column[1], columnLength[1]);
  PutFixed(tourFile, " km</name>\r\n\t<lat>");
  PutBytes(tourFile, column[8], columnLength[8]);
  PutFixed(tourFile, "</lat>\r\n\t<long>");
  PutBytes(tourFile, column[7], columnLength[7]);
  PutFixed(tourFile, "</long>\r\n"
                     "\t<heading>-1</heading>\r\n"
                     "\t<type>area</type>\r\n"
                     "\t</Item>\r\n");
}

// Report the finished file's count, with the device's limit in mind.
static void ReportLocations(Count nrLocations) {
  if (nrLocations > maxLocations) {
    printf("File '%s' contains %lld locations.\n", outRoute, nrLocations);
    printf("Warning: NAVMAN N20 doesn't support more than %lld locations per multi stop tour!\n",
           maxLocations);
  } else if (nrLocations == 0) {
    // Copied to the device, it would replace the rider's tour with nothing.
    printf("File '%s' contains 0 locations.\n", outRoute);
    printf("Warning: the tour is empty!\n");
  } else {
    printf("File '%s' contains %lld locations (replaces "
           "NAVMAN::\\Program Files\\Navman\\SmartST_CE\\UserData\\MyMultiStopLocations.xml).\n",
           outRoute, nrLocations);
  }
  printf("\n");
}

void DoRoute(int step) {
  enum { notOpened, converting, finished };
  // The tour file: its stream and the text waiting for it.
  static OutFile tourFile;
  static int state = notOpened;
  static Thinning thinning = tourStart;
  static Count nrLocations;

  if (step == 0) {
    // A file that failed to open has been reported already: no count.
    if (tourFile.stream) {
      PutFixed(&tourFile, "\t</MultistopLocations>\r\n\t</MultistopLocations>\r\n");
      if (CloseFile(&tourFile, outRoute) == 0) ReportLocations(nrLocations);
    }
    state = finished;
    return;
  }

  switch (state) {
  case notOpened:
    tourFile.stream = OpenFile(outRoute, "w");
    if (tourFile.stream) WriteHead(&tourFile);
    state = converting;
    break;
  case converting: {
    // Rows pass the thinning also without a tour file: whether there was a
    // route row tells an export from other files.
    RouteRow row = ReadRouteRow();
    // Once the taking has started, there was one.
    if (!thinning.taking) {
      routeRowSeen |= row.hasKm;
      textRowSeen |= lineLength > 0;
    }
    if (ThinRow(&thinning, row, firstLoc, nextLoc) && tourFile.stream) {
      nrLocations++;
      WriteLocation(&tourFile);
    }
    break;
  }
  default: break;
  }
}
