// The POI writer. Each line is longitude,latitude,"name" with the coordinates
// in decimal degrees; the name is written as found, unescaped, in the
// export's own character set.
#include "output/poiwriter.h"

#include "base/coordinates.h"
#include "base/files.h"
#include "base/xmltext.h"

// The run's POI file.
static struct {
  OutFile file;     // the POI file; file.stream is nullptr when it did not open
  const char *name; // its name, for the reports
  Count nrPOIs;     // POIs of the export so far, counted also without a file
} poi;

void OpenPoiOutput(const Conversion &conversion) {
  poi.file.stream = OpenFile(conversion.poiName, "w");
  poi.file.used = 0;
  poi.name = conversion.poiName;
  poi.nrPOIs = 0;
}

// Write a coordinate in fraction digits as decimal degrees.
static void PutDecimal(Text fraction) {
  size_t length;
  const char *decimal = FractionToDecimal(fraction.bytes, fraction.length, &length);
  PutBytes(&poi.file, decimal, length);
}

void PutPoiPlace(const Place &place) {
  // A position that did not convert would put the point at a wrong place
  // on the device: the export's warning counts it instead.
  if (!place.poi || !place.row->positionsConverted) return;
  poi.nrPOIs++;
  if (!poi.file.stream) return;
  // The line ends in CR LF, as SmartST's import expects.
  const Row &row = *place.row;
  PutDecimal(LongitudeOf(row));
  PutFixed(&poi.file, ",");
  PutDecimal(LatitudeOf(row));
  PutFixed(&poi.file, ",\"");
  Text name = NameOf(row);
  PutWindows1252Text(&poi.file, name.bytes, name.length);
  PutFixed(&poi.file, "\"\r\n");
}

bool FinishPoiOutput(bool whole, const char *exportName) {
  if (!poi.file.stream) return false;
  if (!whole) return CloseUnfinished(&poi.file, poi.name, exportName);
  if (CloseOutput(&poi.file, poi.name) != 0) return false;
  printf("File '%s' contains %lld POIs (import with e.g. SmartST).\n", poi.name, poi.nrPOIs);
  return true;
}

Count PoisFound() {
  return poi.nrPOIs;
}
