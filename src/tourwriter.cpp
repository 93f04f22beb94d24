// The multi-stop tour writer. The file replaces the device's own
// MyMultiStopLocations.xml; its first item is the placeholder the device
// expects, then one item per location, coordinates in fraction digits.
#include "tourwriter.h"

#include "distance.h"
#include "files.h"
#include "reader.h"
#include "settings.h"

// The most locations a NAVMAN N20 takes in one multi-stop tour.
constexpr int maxLocations = 14;

static void WriteHead(FILE *pOutRoute) {
  PutText(pOutRoute, "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n"
                     "<MultistopLocations>\n\n"
                     "\t<MultistopLocations class=\"LocationList\">"
                     "\n\n\t<Item class=\"Location\">\n"
                     "\t<name></name>\n"
                     "\t<lat>0</lat>\n"
                     "\t<long>0</long>\n"
                     "\t<heading>-1</heading>\n"
                     "\t<type>poi</type>\n"
                     "\t</Item>\n");
}

// Write the current row as a location named by its distance text.
static void WriteLocation(FILE *pOutRoute) {
  PutText(pOutRoute, "\n\t<Item class=\"Location\">\n\t<name>");
  PutText(pOutRoute, column[1]);
  PutText(pOutRoute, " km</name>\n\t<lat>");
  PutText(pOutRoute, column[8]);
  PutText(pOutRoute, "</lat>\n\t<long>");
  PutText(pOutRoute, column[7]);
  PutText(pOutRoute, "</long>\n"
                     "\t<heading>-1</heading>\n"
                     "\t<type>area</type>\n"
                     "\t</Item>\n");
}

// Report the finished file's count, with the device's limit in mind.
static void ReportLocations(int nrLocations) {
  if (nrLocations > maxLocations) {
    printf("File '%s' contains %d locations.\n", outRoute, nrLocations);
    printf("Warning: NAVMAN N20 doesn't support more than %d locations per multi stop tour!\n",
           maxLocations);
  } else {
    printf("File '%s' contains %d locations (replaces "
           "NAVMAN::\\Program Files\\Navman\\SmartST_CE\\UserData\\MyMultiStopLocations.xml).\n",
           outRoute, nrLocations);
  }
  printf("\n");
}

void DoRoute(int step) {
  enum { notOpened, waiting, taking, finished };
  static FILE *pOutRoute;
  static int state = notOpened;
  // Far enough back that the first route row after firstLoc is taken at once.
  static float lastKm = -100;
  static int nrLocations;

  if (step == 0) {
    // A file that failed to open has been reported already; there is
    // nothing to count.
    if (pOutRoute) {
      PutText(pOutRoute, "\t</MultistopLocations>\n\t</MultistopLocations>\n");
      if (CloseFile(pOutRoute, outRoute) == 0) ReportLocations(nrLocations);
      pOutRoute = nullptr;
    }
    state = finished;
    return;
  }

  float km = 0;
  switch (state) {
  case notOpened:
    pOutRoute = OpenFile(outRoute, "w");
    if (pOutRoute) WriteHead(pOutRoute);
    state = pOutRoute ? waiting : finished;
    break;
  case waiting:
    // Separators and POIs change nothing before the taking starts.
    if (column[1][0] != '\0' && ReadKm(column[1], &km) && km >= firstLoc) state = taking;
    break;
  case taking:
    if (column[1][0] != '\0') {
      // A distance that is no number makes the row neither a route row nor
      // a separator: it is ignored. The sum is formed in double, so that the
      // threshold is exact.
      if (ReadKm(column[1], &km) && km >= static_cast<double>(lastKm) + nextLoc) {
        lastKm = km;
        nrLocations++;
        WriteLocation(pOutRoute);
      }
    } else if (column[3][0] == '\0') {
      // A separator: the next day's route starts again at 0; take its first
      // route row.
      lastKm = -nextLoc;
    }
    break;
  default: break;
  }
}
