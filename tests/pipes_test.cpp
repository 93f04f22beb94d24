// The program on pipes: a tour file that is a FIFO whose reader goes away, an
// export that is a FIFO, which fit and follow cannot read twice, and an
// answer to the question that comes after the export was written anew. Each
// must end in an error report, the pause and exit status 1, never in a signal
// or a quiet success.
#include "daysexport.h"
#include "tempfolder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The sample export, as many times over as given, as one text.
std::string Sample(int times) {
  std::string sample;
  FILE *file = fopen(ROVALTO_SAMPLE, "rb");
  if (!file) return sample;
  char text[4096];
  size_t n;
  while ((n = fread(text, 1, sizeof text, file)) > 0)
    sample.append(text, n);
  fclose(file);
  std::string all;
  for (int i = 0; i < times; i++)
    all += sample;
  return all;
}

// Run the program in folder with args; return its console, and its exit
// status in *status (-1 when it did not exit).
std::string RunProgram(const std::string &folder, const char *args, int *status) {
  std::string command =
      "cd '" + folder + "' && ulimit -f 131072 && '" ROVALTO_PROGRAM "' " + args + " < /dev/null";
  FILE *console = popen(command.c_str(), "r");
  std::string text;
  if (!console) return text;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, console)) > 0)
    text.append(buf, n);
  int wait = pclose(console);
  *status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
  return text;
}

TEST(Pipes, TourFileWhoseReaderLeaves) {
  TempFolder folder("rovalto-pipes");
  ASSERT_FALSE(folder.path().empty());
  const std::string text = Sample(40), exportName = folder.path() + "/t.txt";
  FILE *file = fopen(exportName.c_str(), "wb");
  ASSERT_TRUE(file);
  fwrite(text.data(), 1, text.size(), file);
  fclose(file);
  const std::string fifo = folder.path() + "/t.xml";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // The reader is there before the program opens the tour file, reads its
  // first 100 bytes and goes.
  int fd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  pid_t reader = fork();
  ASSERT_GE(reader, 0);
  if (reader == 0) {
    // Until the program writes, a read finds no writer (0) or no data yet.
    char first[100];
    size_t got = 0;
    for (int wait = 0; got < sizeof first && wait < 10000; wait++) {
      ssize_t n = read(fd, first + got, sizeof first - got);
      if (n > 0)
        got += static_cast<size_t>(n);
      else
        usleep(1000);
    }
    _exit(0);
  }
  close(fd);

  int status;
  std::string console = RunProgram(folder.path(), "t -5 -5", &status);
  waitpid(reader, nullptr, 0);
  EXPECT_EQ(status, 1) << console;
  EXPECT_NE(console.find("Error: can't write 't.xml'!"), std::string::npos) << console;
  EXPECT_NE(console.find("File 't.csv' contains 480 POIs"), std::string::npos) << console;
  EXPECT_NE(console.find("Press any key to continue . . . "), std::string::npos) << console;
  struct stat poiFile;
  ASSERT_EQ(stat((folder.path() + "/t.csv").c_str(), &poiFile), 0);
  EXPECT_GT(poiFile.st_size, 0);
}

// Run the program with arguments on a FIFO export, which it cannot read twice.
void ExpectExportReadTwiceRefused(const char *arguments) {
  TempFolder folder("rovalto-pipes");
  ASSERT_FALSE(folder.path().empty());
  const std::string fifo = folder.path() + "/t.txt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  pid_t writer = fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    signal(SIGPIPE, SIG_IGN);
    const std::string text = Sample(1);
    int fd = open(fifo.c_str(), O_WRONLY);
    if (fd >= 0 && write(fd, text.data(), text.size()) < 0) _exit(1);
    _exit(0);
  }

  int status;
  std::string console = RunProgram(folder.path(), arguments, &status);
  kill(writer, SIGKILL);
  waitpid(writer, nullptr, 0);
  EXPECT_EQ(status, 1) << console;
  EXPECT_NE(console.find("Error: 't.txt' is not a file that can be read twice; fit and follow "
                         "need one.\n"),
            std::string::npos)
      << console;
  EXPECT_NE(access((folder.path() + "/t.xml").c_str(), F_OK), 0) << "a tour file was written";
  EXPECT_NE(access((folder.path() + "/t.csv").c_str(), F_OK), 0) << "a POI file was written";
}

TEST(Pipes, ExportThatCannotBeReadTwiceWithFit) {
  ExpectExportReadTwiceRefused("t fit");
}

TEST(Pipes, ExportThatCannotBeReadTwiceWithFollow) {
  ExpectExportReadTwiceRefused("t follow");
}

bool WriteText(const std::string &name, const std::string &text) {
  FILE *file = fopen(name.c_str(), "wb");
  if (!file) return false;
  bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
  return fclose(file) == 0 && written;
}

// Drop t.txt, holding before, onto the program in folder; once it asks, write
// later into t.txt and answer (a line). Return the console, and the exit
// status in *status (-1 when it did not exit).
std::string AnswerAfterRewrite(const std::string &folder, const std::string &before,
                               const std::string &later, const std::string &answer, int *status) {
  *status = -1;
  const std::string exportName = folder + "/t.txt";
  if (!WriteText(exportName, before)) return "";
  int in[2], out[2];
  if (pipe(in) != 0 || pipe(out) != 0) return "";
  pid_t pid = fork();
  if (pid < 0) return "";
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    close(in[0]), close(in[1]), close(out[0]), close(out[1]);
    execl(ROVALTO_PROGRAM, ROVALTO_PROGRAM, exportName.c_str(), static_cast<char *>(nullptr));
    _exit(127);
  }
  close(in[0]), close(out[1]);
  std::string console;
  char buf[4096];
  ssize_t n;
  bool asked = false;
  while ((n = read(out[0], buf, sizeof buf)) > 0) {
    console.append(buf, static_cast<size_t>(n));
    if (!asked && console.find("the next locations: ") != std::string::npos) {
      asked = true;
      if (!WriteText(exportName, later) ||
          write(in[1], answer.data(), answer.size()) != static_cast<ssize_t>(answer.size()))
        break;
      close(in[1]);
    }
  }
  if (!asked) close(in[1]);
  close(out[0]);
  int wait;
  if (waitpid(pid, &wait, 0) == pid && WIFEXITED(wait)) *status = WEXITSTATUS(wait);
  return console;
}

TEST(Pipes, ExportWrittenAnewWhileTheQuestionWaits) {
  // Enter, and typed distances, which are counted on the export first.
  const struct {
    int days, points, laterDays, laterPoints;
    const char *answer;
  } cases[] = {{2, 20, 30, 20, "\n"},   {20, 20, 30, 20, "\n"}, {20, 20, 120, 20, "\n"},
               {20, 20, 120, 3, "\n"},  {2, 20, 1, 20, "\n"},   {2, 20, 30, 20, "20 10\n"},
               {2, 20, 30, 20, "fit\n"}};
  for (const auto &c : cases) {
    SCOPED_TRACE(std::to_string(c.days) + " days, then " + std::to_string(c.laterDays) + " of " +
                 std::to_string(c.laterPoints) + ", answered " + c.answer);
    TempFolder folder("rovalto-pipes");
    ASSERT_FALSE(folder.path().empty());
    const std::string later = DaysExport(c.laterDays, c.laterPoints);
    int status;
    std::string console =
        AnswerAfterRewrite(folder.path(), DaysExport(c.days, c.points), later, c.answer, &status);
    EXPECT_EQ(status, 1) << console;
    EXPECT_NE(console.find("\nError: 't.txt' changed while it was read: convert it again!\n"),
              std::string::npos)
        << console;
    for (const char *output : {"/t.xml", "/t.csv", "/t-stops.gpx", "/t.svg", "/t-day1.xml"})
      EXPECT_NE(access((folder.path() + output).c_str(), F_OK), 0) << output << " was written";
  }
}

} // namespace
