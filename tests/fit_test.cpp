// The fit counts the locations of a pair of distances by passing the export
// through the tour's thinning: its count must be the one a real run reports,
// for any export and any pair.
#include "base/settings.h"
#include "choice/fit.h"
#include "faultyexport.h"
#include "input/thinning.h"
#include "random.h"
#include "tempfolder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

Random generator = {12345};
ExportReader reader;

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
    ASSERT_TRUE(OpenExport(&reader, settings.exportName));
    Count counted = CountLocations(&reader, first, next);
    CloseExport(&reader);
    EXPECT_EQ(counted, run) << "distances " << first << " and " << next << ", export:\n" << text;
  }
}

// Fit the distances for input; the passes it took in *passes.
FitOutcome Fit(FaultyExport *input, int *passes) {
  FILE *stream = OpenFaulty(input);
  if (!stream) return fitReadFailed;
  StartReading(&reader, stream, "t.txt");
  float first = 10, next = 10;
  Count locations;
  FitOutcome outcome = FitDistances(&reader, navmanN20Locations, &first, &next, &locations);
  *passes = input->pass;
  fclose(stream);
  return outcome;
}

// Many days, so that the fit takes its every pass.
std::string ManyDays() {
  std::string text;
  for (int day = 0; day < 40; day++) {
    for (int km = 0; km <= 200; km += 5)
      text += "1\t" + std::to_string(km) + "\t0:00\t\t\tRoute\t(1123359,4715565)\t\t574 m\r\n";
    text += "\r\n";
  }
  return text;
}

TEST(Fit, ReadErrorInAnyPassFailsTheFit) {
  FaultyExport clean = {ManyDays(), 0, 0, 0, 0};
  int passes;
  ASSERT_EQ(Fit(&clean, &passes), fitFewest);
  ASSERT_GT(passes, 5);
  // Every pass reads its first bytes, and the first pass, which looks for the
  // largest distance, reads them all; a later pass that has decided stops
  // before the end, and a fault beyond what it takes is none of its business.
  for (int pass = 1; pass <= passes; pass++) {
    size_t end = pass == 1 ? clean.text.size() : 1;
    for (size_t failAt = 0; failAt < end; failAt += 997) {
      FaultyExport faulty = {clean.text, pass, failAt, 0, 0};
      int tried;
      EXPECT_EQ(Fit(&faulty, &tried), fitReadFailed)
          << "a read error at byte " << failAt << " of pass " << pass;
    }
  }
}

} // namespace
