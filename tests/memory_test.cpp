// The converter holds one row at a time: its peak memory on a 64 MB export is
// that on a 1 KB one, and under 2 MiB.
#include "tempfolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Convert an export of the given size in dir; return the run's peak resident
// memory in KiB, or -1 when it did not end with status 0.
long PeakKiB(const std::string &dir, const char *size) {
  std::string make = MKEXPORT_PROGRAM " " + std::string(size) + " > " + dir + "/t.txt";
  if (system(make.c_str()) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    // The outputs of a 64 MB export take about 35 MB: a writer that loops
    // is stopped by SIGXFSZ long before the disk is full.
    const rlimit cap = {64 << 20, 64 << 20};
    if (setrlimit(RLIMIT_FSIZE, &cap) != 0 || chdir(dir.c_str()) != 0 ||
        !freopen("/dev/null", "r", stdin) || !freopen("/dev/null", "w", stdout))
      _exit(127);
    execl(ROVALTO_PROGRAM, ROVALTO_PROGRAM, "t", static_cast<char *>(nullptr));
    _exit(127);
  }
  int status;
  rusage usage;
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || status != 0) return -1;
  return usage.ru_maxrss;
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

} // namespace
