// The POI writer. Each line is longitude,latitude,"name" with the coordinates
// in decimal degrees; the name is written as found, unescaped, in the
// export's own character set.
#include "poiwriter.h"

#include "coordinates.h"
#include "files.h"
#include "reader.h"
#include "settings.h"

Count nrPOIs;

void DoPOI(int step) {
  enum { notOpened, converting, finished };
  // The POI file: its stream and the text waiting for it.
  static OutFile poiFile;
  static int state = notOpened;

  if (step == 0) {
    if (poiFile.stream && CloseFile(&poiFile, outPOI) == 0) {
      printf("File '%s' contains %lld POIs (import with e.g. SmartST).\n", outPOI, nrPOIs);
      printf("\n");
    }
    state = finished;
    return;
  }

  switch (state) {
  case notOpened:
    poiFile.stream = OpenFile(outPOI, "w");
    state = converting;
    return;
  case converting: break;
  default: return;
  }

  // A point of interest has a name and a position but no route distance.
  // POIs count also without a POI file: they tell an export from other files.
  if (column[1][0] != '\0' || column[3][0] == '\0' || column[7][0] == '\0' || column[8][0] == '\0')
    return;
  nrPOIs++;
  if (!poiFile.stream) return;
  // Both conversions share one result buffer: write each before the next.
  // The line ends in CR LF, as SmartST's import expects.
  size_t length;
  const char *decimal = CoordROVALTO(column[7], columnLength[7], &length);
  PutBytes(&poiFile, decimal, length);
  PutFixed(&poiFile, ",");
  decimal = CoordROVALTO(column[8], columnLength[8], &length);
  PutBytes(&poiFile, decimal, length);
  PutFixed(&poiFile, ",\"");
  PutBytes(&poiFile, column[3], columnLength[3]);
  PutFixed(&poiFile, "\"\r\n");
}
