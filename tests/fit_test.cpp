// The fit counts the locations of a pair of distances by passing the export
// through the tour's thinning: its count must be the one a real run reports,
// for any export and any pair.
#include "fit.h"
#include "random.h"
#include "settings.h"
#include "tempfolder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

Random generator = {12345};

// A route of a few days: distances mostly rising, some falling back, some
// repeated; empty lines between days, POIs, and distances that are no number.
std::string RandomExport() {
  std::string text;
  double km = generator.Below(30);
  for (unsigned rows = 5 + generator.Below(60); rows > 0; rows--) {
    unsigned kind = generator.Below(20);
    if (kind == 0) {
      text += "\r\n";
      km = 0;
      continue;
    }
    const char *distance = nullptr;
    char buf[32];
    if (kind == 1) {
      text += "7\t\t\tGasthof\t\tPOI\t(1101300,4712432)\t\t\r\n";
      continue;
    }
    if (kind == 2) distance = "abc";
    if (kind == 3) km -= generator.Below(20);
    if (kind >= 4) km += generator.Below(120) / 10.0;
    if (!distance) {
      snprintf(buf, sizeof buf, kind == 4 ? "%.0f,5" : "%.1f", km);
      distance = buf;
    }
    text += "1\t" + std::string(distance) + "\t0:00\t\t\tRoute\t(1123359,4715565)\t\t574 m\r\n";
  }
  return text;
}

// The locations a run of the program reports, or -1.
long long RunCount(const std::string &dir, float first, float next) {
  char command[512];
  // A cap on what the run writes, in 512-byte blocks.
  snprintf(command, sizeof command, "cd '%s' && ulimit -f 131072 && '%s' t %g %g < /dev/null",
           dir.c_str(), ROVALTO_PROGRAM, static_cast<double>(first), static_cast<double>(next));
  FILE *console = popen(command, "r");
  if (!console) return -1;
  long long count = -1;
  char text[1024];
  while (fgets(text, sizeof text, console))
    sscanf(text, "File 't.xml' contains %lld locations", &count);
  return pclose(console) == 0 ? count : -1;
}

TEST(Fit, CountsWhatARunWrites) {
  TempFolder folder("rovalto-fit");
  ASSERT_FALSE(folder.path().empty());
  const std::string &dir = folder.path();
  snprintf(settings.exportName, sizeof settings.exportName, "%s/t.txt", dir.c_str());
  for (int i = 0; i < 300 && !HasFailure(); i++) {
    std::string text = RandomExport();
    FILE *file = fopen(settings.exportName, "wb");
    ASSERT_TRUE(file);
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
    float first = static_cast<float>(generator.Below(121)) / 2,
          next = static_cast<float>(generator.Below(121)) / 2;
    long long run = RunCount(dir, first, next);
    ASSERT_GE(run, 0) << "the run failed";
    // The fit stops counting one past the device's limit.
    EXPECT_EQ(CountLocations(first, next), std::min(run, 15ll))
        << "distances " << first << " and " << next << ", export:\n"
        << text;
  }
}

} // namespace
