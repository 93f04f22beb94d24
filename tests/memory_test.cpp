// The converter holds one row at a time: its peak memory on a 64 MB export is
// that on a 1 KB one, and under 2 MiB; following the route, one day at a
// time, under 4 MiB. And what it writes stays in bounds too: the picture of
// a long week under 300 KB. A hostile GPX file is refused within the same
// bounds.
#include "tempfolder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Convert an export that mkexport makes from its arguments in dir, the
// program's second argument follow (nullptr: none); return the peak resident
// memory in KiB, the least of three runs, or -1 when a run did not end with
// status 0.
long PeakKiB(const std::string &dir, const char *size, const char *follow = nullptr) {
  std::string make = MKEXPORT_PROGRAM " " + std::string(size) + " > " + dir + "/t.txt";
  if (system(make.c_str()) != 0) return -1;
  // The least of three runs: the kernel may back the same memory with more
  // pages in one run than in another, by a few hundred KiB.
  long least = -1;
  for (int run = 0; run < 3; run++) {
    pid_t pid = fork();
    if (pid == 0) {
      // The outputs of a 64 MB export take about 35 MB, and a follow run's
      // GPX file of every route point up to 75 MB: a writer that loops is
      // stopped by SIGXFSZ long before the disk is full.
      const rlimit cap = {128 << 20, 128 << 20};
      if (setrlimit(RLIMIT_FSIZE, &cap) != 0 || chdir(dir.c_str()) != 0 ||
          !freopen("/dev/null", "r", stdin) || !freopen("/dev/null", "w", stdout))
        _exit(127);
      execl(ROVALTO_PROGRAM, ROVALTO_PROGRAM, "t", follow, static_cast<char *>(nullptr));
      _exit(127);
    }
    int status;
    rusage usage;
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || status != 0) return -1;
    if (least < 0 || usage.ru_maxrss < least) least = usage.ru_maxrss;
  }
  return least;
}

TEST(Memory, PeakIsTheSameForAnyExportSize) {
  TempFolder folder("rovalto-memory");
  ASSERT_FALSE(folder.path().empty());
  long small = PeakKiB(folder.path(), "1k");
  long large = PeakKiB(folder.path(), "64M");

  ASSERT_GT(small, 0);
  ASSERT_GT(large, 0);
  // A few pages of noise, far below what a tour of 64 MB would take.
  EXPECT_LE(large, small + 512) << "1 KB export: " << small << " KiB, 64 MB export: " << large
                                << " KiB";
  // The program, the C library and the fixed buffers, whatever the export.
  EXPECT_LT(large, 2048) << "64 MB export: " << large << " KiB";
}

// A follow run holds one day at a time, thinned beyond 10000 route points:
// the same peak for a few rows, for 64 MB of short days and for 64 MB of one
// day, and under 4 MiB.
TEST(Memory, FollowPeakIsTheSameForAnyExportSize) {
  TempFolder folder("rovalto-memory");
  ASSERT_FALSE(folder.path().empty());
  long small = PeakKiB(folder.path(), "1k", "follow");
  long shortDays = PeakKiB(folder.path(), "64M", "follow");
  // 1,100,000 route points of about 58 bytes.
  long oneDay = PeakKiB(folder.path(), "--days 1 1100000", "follow");

  ASSERT_GT(small, 0);
  ASSERT_GT(shortDays, 0);
  ASSERT_GT(oneDay, 0);
  // The day's points and the search's state, fixed arrays, are all the more
  // a long day takes. Many short days fill the picture's fixed tables too
  // (the POI markers held and the marks its labels keep clear of, some
  // 140 KB), which a few rows leave untouched.
  EXPECT_LE(shortDays, small + 768) << small << " KiB against " << shortDays << " KiB";
  EXPECT_LE(oneDay, small + 1536) << small << " KiB against " << oneDay << " KiB";
  EXPECT_LT(shortDays, 4096) << "64 MB of short days: " << shortDays << " KiB";
  EXPECT_LT(oneDay, 4096) << "64 MB of one day: " << oneDay << " KiB";
}

// The picture of a week of 5000 route points a day stays small enough to
// open at once: its route lines leave out what no pixel shows.
TEST(Memory, PictureOfALongWeekIsSmall) {
  TempFolder folder("rovalto-memory");
  ASSERT_FALSE(folder.path().empty());
  // Steps of 0.5 km, and a road that winds five times as much, in 0.1 km.
  for (const char *week : {"--days 7 5000", "--days 7 5000 2009 1"}) {
    ASSERT_GT(PeakKiB(folder.path(), week, "follow"), 0);
    struct stat picture;
    ASSERT_EQ(stat((folder.path() + "/t.svg").c_str(), &picture), 0);
    EXPECT_LE(picture.st_size, 300000) << week;
  }
}

// Check that the at least least labels of the picture at path are
// readable: none over another, over another location's dot, over a POI's
// marker or under the legend, and that no dot is under the legend either.
// A label of 11 px type is taken as 0.6 em a character wide, from 9 px
// above its baseline to 2.5 px below.
void ExpectReadableLabels(const std::string &path, size_t least) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  const std::string svg = text.str();
  auto number = [&](size_t at, const std::string &name) {
    size_t value = svg.find(" " + name + "=\"", at) + name.size() + 3;
    return std::stod(svg.substr(value, svg.find('"', value) - value));
  };
  struct Box {
    double left, top, right, bottom;
  };
  auto overlap = [](const Box &a, const Box &b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
  };
  std::vector<Box> dots, labels, pois;
  std::vector<size_t> owner;
  for (size_t at = 0; (at = svg.find("<g><title>", at)) != std::string::npos; at++) {
    size_t circle = svg.find("<circle ", at), end = svg.find("</g>", at);
    double x = number(circle, "cx"), y = number(circle, "cy");
    dots.push_back({x - 6, y - 6, x + 6, y + 6});
    size_t label = svg.find("<text ", circle);
    if (label > end) continue;
    size_t from = svg.find('>', label) + 1;
    double chars = static_cast<double>(svg.find('<', from) - from);
    double lx = number(label, "x"), ly = number(label, "y");
    labels.push_back({lx, ly - 9, lx + chars * 6.6, ly + 2.5});
    owner.push_back(dots.size() - 1);
  }
  ASSERT_GE(labels.size(), least);
  for (size_t at = 0; (at = svg.find("<rect ", at)) != std::string::npos; at++) {
    if (svg.compare(svg.find("fill=", at), 14, "fill=\"#555555\"") != 0) continue;
    double x = number(at, "x"), y = number(at, "y");
    pois.push_back({x, y, x + 6, y + 6});
  }
  size_t legend = svg.find("<rect x=\"10\" y=\"10\"");
  double dx = 0, dy = 0;
  size_t moved = svg.rfind("translate(", legend);
  if (moved != std::string::npos && moved > svg.rfind("<g ", legend))
    sscanf(svg.c_str() + moved, "translate(%lf,%lf)", &dx, &dy);
  Box box = {10 + dx, 10 + dy, 10 + dx + number(legend, "width"),
             10 + dy + number(legend, "height")};
  for (size_t d = 0; d < dots.size(); d++)
    EXPECT_FALSE(overlap(dots[d], box)) << "dot " << d << " under the legend";
  for (size_t i = 0; i < labels.size(); i++) {
    EXPECT_FALSE(overlap(labels[i], box)) << "label " << i << " under the legend";
    for (size_t j = 0; j < i; j++)
      EXPECT_FALSE(overlap(labels[i], labels[j])) << "labels " << j << " and " << i;
    for (size_t d = 0; d < dots.size(); d++) {
      if (d == owner[i]) continue;
      EXPECT_FALSE(overlap(labels[i], dots[d])) << "label " << i << " over dot " << d;
    }
    for (size_t m = 0; m < pois.size(); m++)
      EXPECT_FALSE(overlap(labels[i], pois[m])) << "label " << i << " under POI " << m;
  }
}

// Twenty days of 300 route points, each day's own 14 locations drawn: 280
// dots close together.
TEST(Memory, PictureLabelsAreReadable) {
  TempFolder folder("rovalto-memory");
  ASSERT_FALSE(folder.path().empty());
  ASSERT_GT(PeakKiB(folder.path(), "--days 20 300", "follow"), 0);
  ExpectReadableLabels(folder.path() + "/t.svg", 100);
}

// Run "rovalto t.gpx follow" in dir on document; return the peak resident
// memory in KiB of a run that exits with 1, having written nothing, or -1.
long RefusedPeakKiB(const std::string &dir, const std::string &document) {
  std::ofstream(dir + "/t.gpx", std::ios::binary) << document;
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0 || !freopen("/dev/null", "r", stdin) ||
        !freopen("/dev/null", "w", stdout))
      _exit(127);
    execl(ROVALTO_PROGRAM, ROVALTO_PROGRAM, "t.gpx", "follow", static_cast<char *>(nullptr));
    _exit(127);
  }
  int status;
  rusage usage;
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 1)
    return -1;
  struct stat written;
  if (stat((dir + "/t.xml").c_str(), &written) == 0) return -1;
  return usage.ru_maxrss;
}

// Entities that expand a billion times, a token of 32 MB, a million open
// elements: each refused, in the memory a small file takes.
TEST(Memory, HostileGpxIsRefusedInBounds) {
  TempFolder folder("rovalto-memory");
  ASSERT_FALSE(folder.path().empty());
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [\n<!ENTITY a \"aaaaaaaaaa\">\n";
  for (char c = 'b'; c <= 'j'; c++) {
    laughs += std::string("<!ENTITY ") + c + " \"";
    for (int i = 0; i < 10; i++)
      laughs += std::string("&") + static_cast<char>(c - 1) + ";";
    laughs += "\">\n";
  }
  laughs += "]>\n<gpx><wpt lat=\"1\" lon=\"1\"><name>&j;</name></wpt></gpx>\n";
  std::string deep = "<gpx>";
  for (int i = 0; i < 1000000; i++)
    deep += "<a>";
  const struct {
    const char *what;
    std::string document;
  } cases[] = {
      {"a billion laughs", laughs},
      {"a token of 32 MB", "<gpx creator=\"" + std::string(32 << 20, 'x') + "\"/>"},
      {"a million open elements", deep},
  };
  long small = RefusedPeakKiB(folder.path(), "<gpx>");
  ASSERT_GT(small, 0);
  for (const auto &c : cases) {
    long peak = RefusedPeakKiB(folder.path(), c.document);
    EXPECT_GT(peak, 0) << c.what;
    // The parser's cap, 4 MiB, and a few pages of noise.
    EXPECT_LE(peak, small + 4096 + 512) << c.what;
  }
}

// Random exports with POIs among the route points: a marker drawn over a
// label would hide its digits.
TEST(Memory, PoiMarkersCoverNoLabel) {
  TempFolder folder("rovalto-memory");
  ASSERT_FALSE(folder.path().empty());
  for (const char *seed : {"4k 1", "4k 2", "4k 3", "4k 7"}) {
    SCOPED_TRACE(seed);
    ASSERT_GT(PeakKiB(folder.path(), seed, "follow"), 0);
    ExpectReadableLabels(folder.path() + "/t.svg", 10);
  }
}

// The sample's 14 locations, its POIs among them.
TEST(Memory, SamplePictureLabelsAreReadable) {
  ExpectReadableLabels(ROVALTO_GOLDEN "/drop-enter-follows-the-route/out/Touren/Tour.svg", 14);
}

} // namespace
