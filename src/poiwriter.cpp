// The POI writer. Each line is longitude,latitude,"name" with the coordinates
// in decimal degrees; the name is written as found, unescaped, in the
// export's own character set.
#include "poiwriter.h"

#include "coordinates.h"
#include "files.h"
#include "reader.h"
#include "settings.h"

void DoPOI(int step) {
  enum { notOpened, writing, finished };
  static FILE *pOutPOI;
  static int state = notOpened;
  static int nrPOIs;

  if (step == 0) {
    // A file that failed to open has been reported already; there is
    // nothing to count.
    if (pOutPOI && CloseFile(pOutPOI, outPOI) == 0) {
      printf("File '%s' contains %d POIs (import with e.g. SmartST).\n", outPOI, nrPOIs);
      printf("\n");
    }
    pOutPOI = nullptr;
    state = finished;
    return;
  }

  switch (state) {
  case notOpened:
    pOutPOI = OpenFile(outPOI, "w");
    state = pOutPOI ? writing : finished;
    return;
  case writing: break;
  default: return;
  }

  // A point of interest has a name and a position but no route distance.
  if (column[1][0] != '\0' || column[3][0] == '\0' || column[7][0] == '\0' || column[8][0] == '\0')
    return;
  // Both conversions share one result buffer: write each before the next.
  PutText(pOutPOI, CoordROVALTO(column[7]));
  PutText(pOutPOI, ",");
  PutText(pOutPOI, CoordROVALTO(column[8]));
  PutText(pOutPOI, ",\"");
  PutText(pOutPOI, column[3]);
  PutText(pOutPOI, "\"\n");
  nrPOIs++;
}
