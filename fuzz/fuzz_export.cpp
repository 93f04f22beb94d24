// Arbitrary bytes as an export: through the line reader, the splitter and the
// coordinate conversion, then through the program's table of outputs by
// distance; then again, following the route: its days, its choices, and the
// table of outputs that follow it, with the further passes they take.
// Built with FUZZ_GPX (fuzz_gpx), the bytes are a GPX file instead: through
// expat and the GPX reader into rows, with the GPX reader's further readings
// of a file whose days are its routes.
//
// Each input is a run of its own: a fresh reader and fresh writers, whose
// files go to /dev/null (those named after the tour to a folder of their
// own), as do their reports.
#include "base/filetable.h"
#include "base/xmltext.h"
#include "choice/follow.h"
#include "input/gpx.h"
#include "input/reader.h"
#include "output/outputs.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

// The tour file after which the day files, the GPX file and the picture are
// named, in a folder of its own.
static std::string dayTour;

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  char folder[] = "/tmp/rovalto-fuzz-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  dayTour = std::string(folder) + "/t.xml";
#ifdef FUZZ_GPX
  TakeInputAsUtf8(true);
#endif
  // The writers report their counts for every input.
  return freopen("/dev/null", "w", stdout) ? 0 : 1;
}

// Start reader on the input; false when no stream opens.
static bool StartOn(ExportReader *reader, const uint8_t *data, size_t size) {
  // The stream only reads; the buffer is never written through it.
  FILE *stream = fmemopen(const_cast<uint8_t *>(data), size, "rb");
  if (!stream) return false;
  StartReading(reader, stream, "fuzz input");
#ifdef FUZZ_GPX
  reader->gpx = true;
  ForgetWaypoints();
  if (!StartGpxPass(reader)) {
    fclose(stream);
    return false;
  }
#endif
  return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static ExportReader reader;
  static Following following;
  // Each input is a run of its own, whose files may be written again.
  FileTableForgetWritten();
  if (!StartOn(&reader, data, size)) return 0;
  const Conversion byDistance = {byDistances, navmanN20Locations, 10,         10,
                                 nullptr,     "/dev/null",        "/dev/null"};
  RunTable<byDistanceOutputs>(&reader, byDistance);

  if (!StartOn(&reader, data, size)) return 0;
  const Conversion toFollow = {byFollowing, navmanN20Locations, 0,          0,
                               &following,  dayTour.c_str(),    "/dev/null"};
  if (FollowRoute(&reader, navmanN20Locations, &following, SeeEach<followingOutputs>) ==
          followChosen &&
      RewindExport(&reader))
    RunTable<followingOutputs>(&reader, toFollow);
  else
    CloseExport(&reader);
  return 0;
}
