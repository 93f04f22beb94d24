// Arbitrary bytes as an export: through the line reader, the splitter and the
// coordinate conversion, then through the row handling of both writers.
//
// The writers keep their state for the whole run, so the fuzzer is one long
// run: every input goes on where the one before ended, as further lines of
// the same export. Their files go to /dev/null.
#include "poiwriter.h"
#include "reader.h"
#include "settings.h"
#include "tourwriter.h"

#include <cstdint>
#include <cstdio>

static bool OpenWriters() {
  snprintf(outRoute, sizeof outRoute, "/dev/null");
  snprintf(outPOI, sizeof outPOI, "/dev/null");
  // The writers' first steps open their files and look at no row.
  DoRoute(1);
  DoPOI(1);
  return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static bool opened = OpenWriters();
  (void)opened;

  // The stream only reads; the buffer is never written through it.
  FILE *stream = fmemopen(const_cast<uint8_t *>(data), size, "rb");
  if (!stream) return 0;
  StartRows();
  for (int end = 0; !end;) {
    end = ReadRow(stream);
    SplitRow();
    DoRoute(1);
    DoPOI(1);
  }
  fclose(stream);
  return 0;
}
