// Progress on long work: shown on a terminal, updated in place, gone before
// the reports; never in a pipe, so that what a script or a file gets stays
// as it was.
#include "tempfolder.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Run "rovalto t follow" in folder with standard input from /dev/null and
// standard output on a pseudo-terminal, or on a pipe; return all it wrote.
std::string Console(const std::string &folder, bool terminal) {
  int master, slave, pipeEnds[2];
  if (terminal ? openpty(&master, &slave, nullptr, nullptr, nullptr) != 0 : pipe(pipeEnds) != 0)
    return "";
  if (!terminal) master = pipeEnds[0], slave = pipeEnds[1];
  pid_t pid = fork();
  if (pid == 0) {
    int null = open("/dev/null", O_RDONLY);
    if (null < 0 || dup2(null, STDIN_FILENO) < 0 || dup2(slave, STDOUT_FILENO) < 0 ||
        chdir(folder.c_str()) != 0)
      _exit(127);
    close(master);
    execl(ROVALTO_PROGRAM, ROVALTO_PROGRAM, "t", "follow", static_cast<char *>(nullptr));
    _exit(127);
  }
  close(slave);
  std::string text;
  char block[4096];
  ssize_t got;
  // A terminal's master reads EIO once the program has ended.
  while ((got = read(master, block, sizeof block)) > 0)
    text.append(block, static_cast<size_t>(got));
  close(master);
  int status;
  waitpid(pid, &status, 0);
  return text;
}

TEST(Progress, ShownOnATerminalAlone) {
  TempFolder folder("rovalto-progress");
  ASSERT_FALSE(folder.path().empty());
  // 2 MB of short days: long work.
  std::string make = MKEXPORT_PROGRAM " 2M > " + folder.path() + "/t.txt";
  ASSERT_EQ(system(make.c_str()), 0);

  std::string shown = Console(folder.path(), true);
  EXPECT_NE(shown.find("\rChoosing the locations...   0 %"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\rChoosing the locations... 100 %"), std::string::npos);
  EXPECT_NE(shown.find("\rWriting the files... 100 %"), std::string::npos);
  // Blanked before the reports: each report begins its own line.
  size_t report = shown.find("File 't.xml' contains");
  ASSERT_NE(report, std::string::npos);
  EXPECT_EQ(shown[report - 1], '\r');
  EXPECT_EQ(shown.find('%', report), std::string::npos);

  std::string piped = Console(folder.path(), false);
  EXPECT_NE(piped.find("File 't.xml' contains"), std::string::npos);
  EXPECT_EQ(piped.find('%'), std::string::npos);
  EXPECT_EQ(piped.find('\r'), std::string::npos);
}

// Two long days, read three times for the choice and twice for the files:
// each redraw covers the one before it, and a figure goes back only on a
// new pass over the export, which the line names.
TEST(Progress, NeverGoesBackUntold) {
  TempFolder folder("rovalto-progress");
  ASSERT_FALSE(folder.path().empty());
  std::string make = MKEXPORT_PROGRAM " --days 2 15000 > " + folder.path() + "/t.txt";
  ASSERT_EQ(system(make.c_str()), 0);

  std::string shown = Console(folder.path(), true);
  std::string before;
  size_t lengthBefore = 0;
  int percentBefore = -1, passBefore = 0, passes = 0;
  for (size_t at = 0; (at = shown.find('\r', at)) != std::string::npos;) {
    size_t end = shown.find_first_of("\r\n", ++at);
    std::string line = shown.substr(at, end - at);
    size_t dots = line.find("... ");
    if (dots == std::string::npos) continue;
    SCOPED_TRACE(line);
    std::string label = line.substr(0, dots);
    int pass = 1, percent = atoi(line.c_str() + dots + 4);
    size_t named = label.find(", pass ");
    if (named != std::string::npos) {
      pass = atoi(label.c_str() + named + 7);
      label.erase(named);
    }
    if (label == before) {
      EXPECT_GE(line.size(), lengthBefore);
      EXPECT_TRUE(pass == passBefore ? percent >= percentBefore : pass == passBefore + 1);
    }
    passes = std::max(passes, pass);
    before = label, lengthBefore = line.size(), percentBefore = percent, passBefore = pass;
  }
  EXPECT_GE(passes, 2);
}

} // namespace
