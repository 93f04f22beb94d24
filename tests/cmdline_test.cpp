// The command line: base names, a dropped export, and the names and distance
// texts each gives. One row a case; "@" in an argument stands for the test's
// folder, which holds the files named below.
#include "base/settings.h"
#include "dialog/cmdline.h"
#include "tempfolder.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const std::string a95(95, 'a'), a96(96, 'a');
const char *const files[] = {"Tour.TXT", "tour.txt", "notes.csv", "x.txt", "x.txt.txt", "20"};

const struct {
  bool taken;
  std::vector<std::string> args;
  bool dropped;
  std::string exportName, tourName, poiName; // "": the defaults
  std::vector<std::string> distances;
  bool inFolder; // the run works in the test's folder
} cases[] = {
    {true, {}, false, "", "", "", {}, false},
    {true, {"tour"}, false, "tour.txt", "tour.xml", "tour.csv", {}, false},
    {true, {"tour", "20", "30"}, false, "tour.txt", "tour.xml", "tour.csv", {"20", "30"}, false},
    {true, {"tour", "fit"}, false, "tour.txt", "tour.xml", "tour.csv", {"fit"}, false},
    {true, {"a", "b", "c", "d"}, false, "", "", "", {}, false},
    {true, {"@/Tour.TXT"}, true, "Tour.TXT", "Tour.xml", "Tour.csv", {}, true},
    {true,
     {"@/tour.txt", "20", "fit"},
     true,
     "tour.txt",
     "tour.xml",
     "tour.csv",
     {"20", "fit"},
     true},
    {true,
     {"@/tour.txt", "@/notes.csv", "20"},
     true,
     "tour.txt",
     "tour.xml",
     "tour.csv",
     {"20"},
     true},
    {true,
     {"@/tour.txt", "1", "2", "3"},
     true,
     "tour.txt",
     "tour.xml",
     "tour.csv",
     {"1", "2"},
     true},
    {false, {"@/notes.csv"}, true, "", "", "", {}, false},
    // With x.txt.txt there, x.txt is a base name.
    {true, {"@/x.txt"}, false, "@/x.txt.txt", "@/x.txt.xml", "@/x.txt.csv", {}, false},
    {true, {a95}, false, a95 + ".txt", a95 + ".xml", a95 + ".csv", {}, false},
    {false, {a96}, false, "", "", "", {}, false},
    {false, {"@/" + a96 + ".txt"}, true, "", "", "", {}, true},
};

std::string InFolder(std::string text, const std::string &folder) {
  if (text.compare(0, 1, "@") == 0) text.replace(0, 1, folder);
  return text;
}

TEST(CommandLine, Cases) {
  TempFolder folder("rovalto-cmdline");
  ASSERT_FALSE(folder.path().empty());
  for (const char *name : files)
    fclose(fopen((folder.path() + "/" + name).c_str(), "wb"));
  fclose(fopen((folder.path() + "/" + a96 + ".txt").c_str(), "wb"));
  char start[PATH_MAX];
  ASSERT_TRUE(getcwd(start, sizeof start));
  const Settings defaults = settings;

  for (const auto &c : cases) {
    std::string what = "rovalto";
    std::vector<std::string> args = {"rovalto"};
    for (const std::string &arg : c.args) {
      args.push_back(InFolder(arg, folder.path()));
      what += " " + arg;
    }
    std::vector<char *> argv;
    std::transform(args.begin(), args.end(), std::back_inserter(argv),
                   [](std::string &arg) { return arg.data(); });
    argv.push_back(nullptr);
    settings = defaults;
    CommandLine line;
    bool taken = ReadCommandLine(static_cast<int>(args.size()), argv.data(), &line);

    EXPECT_EQ(taken, c.taken) << what;
    char now[PATH_MAX];
    ASSERT_TRUE(getcwd(now, sizeof now));
    EXPECT_EQ(now, c.inFolder ? folder.path() : std::string(start)) << what;
    ASSERT_EQ(chdir(start), 0);
    if (!c.taken) continue;
    EXPECT_EQ(line.dropped, c.dropped) << what;
    auto want = [&](const std::string &name, const char *otherwise) {
      return name.empty() ? std::string(otherwise) : InFolder(name, folder.path());
    };
    EXPECT_EQ(settings.exportName, want(c.exportName, defaults.exportName)) << what;
    EXPECT_EQ(settings.tourName, want(c.tourName, defaults.tourName)) << what;
    EXPECT_EQ(settings.poiName, want(c.poiName, defaults.poiName)) << what;
    std::vector<std::string> distances(line.distance, line.distance + line.nrDistances);
    EXPECT_EQ(distances, c.distances) << what;
  }
  settings = defaults;
}

// Only Explorer's double-click gives a console to one process alone; with no
// console at all (a pipe, a service) or one shared with the command
// interpreter, a run is a console run.
TEST(CommandLine, DoubleClick) {
  const struct {
    int argc;
    unsigned long consoleProcesses;
    bool doubleClicked;
  } runs[] = {
      {1, 1, true}, {1, 0, false}, {1, 2, false}, {1, 3, false}, {2, 1, false}, {0, 1, true},
  };
  for (const auto &c : runs)
    EXPECT_EQ(IsDoubleClick(c.argc, c.consoleProcesses), c.doubleClicked)
        << c.argc << " arguments, " << c.consoleProcesses << " processes";
}

} // namespace
