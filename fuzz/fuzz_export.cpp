// Arbitrary bytes as an export: through the line reader, the splitter and the
// coordinate conversion, then through the row handling of both writers.
//
// Each input is a run of its own: a fresh reader and fresh writers, whose
// files go to /dev/null, as do their reports.
#include "poiwriter.h"
#include "reader.h"
#include "tourwriter.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  // The writers report their counts for every input.
  return freopen("/dev/null", "w", stdout) ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static ExportReader reader;
  static TourWriter tour;
  static PoiWriter poi;
  static Row row;
  // The stream only reads; the buffer is never written through it.
  FILE *stream = fmemopen(const_cast<uint8_t *>(data), size, "rb");
  if (!stream) return 0;
  StartReading(&reader, stream, "fuzz input");
  OpenTourWriter(&tour, "/dev/null", 10, 10);
  OpenPoiWriter(&poi, "/dev/null");
  while (ReadExportRow(&reader, &row)) {
    WriteTourRow(&tour, row);
    WritePoiRow(&poi, row);
  }
  FinishTourWriter(&tour);
  FinishPoiWriter(&poi);
  fclose(stream);
  return 0;
}
