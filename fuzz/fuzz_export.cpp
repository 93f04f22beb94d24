// Arbitrary bytes as an export: through the line reader, the splitter and the
// coordinate conversion, then through the row handling of both writers; then
// again, following the route: its days, its choices, the day files and the
// GPX file and the picture, with the further passes they take.
//
// Each input is a run of its own: a fresh reader and fresh writers, whose
// files go to /dev/null (the day files and the GPX file to a folder of their
// own), as do their reports.
#include "dayfiles.h"
#include "follow.h"
#include "gpxwriter.h"
#include "poiwriter.h"
#include "reader.h"
#include "svgwriter.h"
#include "tourwriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// The tour file after which the day files are named, in a folder of its own.
static std::string dayTour;

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  char folder[] = "/tmp/rovalto-fuzz-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  dayTour = std::string(folder) + "/t.xml";
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

  static Following following;
  static DayFiles days;
  static GpxWriter gpx;
  static SvgWriter svg;
  if (FollowRoute(&reader, &following) == followChosen && RewindExport(&reader)) {
    OpenFollowingTourWriter(&tour, "/dev/null", &following);
    OpenDayFiles(&days, dayTour.c_str(), &following);
    OpenGpxWriter(&gpx, dayTour.c_str(), &following);
    OpenSvgWriter(&svg, dayTour.c_str(), &following);
    while (ReadExportRow(&reader, &row)) {
      WriteTourRow(&tour, row);
      WriteDayRow(&days, row);
      WriteGpxRow(&gpx, row);
      WriteSvgRow(&svg, row);
    }
    for (;;) {
      bool gpxMore = GpxPassesLeft(&gpx);
      if (!(SvgPassesLeft(&svg) || gpxMore) || !RewindExport(&reader)) break;
      while (ReadExportRow(&reader, &row)) {
        WriteGpxRow(&gpx, row);
        WriteSvgRow(&svg, row);
      }
    }
    FinishSvgWriter(&svg, FinishGpxWriter(&gpx, FinishDayFiles(&days, FinishTourWriter(&tour))));
  }
  fclose(stream);
  return 0;
}
