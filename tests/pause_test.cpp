// The pause on a terminal: the program runs on a pseudo-terminal and the
// test plays the rider at its pause. Whatever ends the pause, the terminal
// must be left with exactly the settings it had before.
#include "onekeymode.h"
#include "tempfolder.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

const char prompt[] = "Press any key to continue . . . ";

// A conversion paused on a pseudo-terminal: the program's process, the
// test's end of the terminal, and the program's end, whose settings the test
// reads.
struct Paused {
  pid_t pid = -1;
  int master = -1, slave = -1;
  termios before{};
  TempFolder folder{"rovalto-pause"};
};

bool SameSettings(const termios &a, const termios &b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

// Start the program on a one-line export and wait for its pause: the prompt
// on the terminal and the terminal in one-key mode. With ignoreSigint, the
// program starts with SIGINT ignored, as a parent may leave it.
void StartPaused(Paused *run, bool ignoreSigint) {
  ASSERT_FALSE(run->folder.path().empty());
  FILE *exportFile = fopen((run->folder.path() + "/t.txt").c_str(), "wb");
  ASSERT_TRUE(exportFile);
  fputs("1\t0.0\t0:00\tInnsbruck\t\tRoute\t(1123359,4715565)\t\t574 m\r\n", exportFile);
  fclose(exportFile);

  ASSERT_EQ(openpty(&run->master, &run->slave, nullptr, nullptr, nullptr), 0);
  ASSERT_EQ(tcgetattr(run->slave, &run->before), 0);
  run->pid = fork();
  ASSERT_GE(run->pid, 0);
  if (run->pid == 0) {
    // A process group of its own, whose parent is outside it: a stop signal
    // stops it, as it stops a program started from a shell.
    setpgid(0, 0);
    if (ignoreSigint) signal(SIGINT, SIG_IGN);
    if (chdir(run->folder.path().c_str()) != 0 || dup2(run->slave, 0) < 0 ||
        dup2(run->slave, 1) < 0 || dup2(run->slave, 2) < 0)
      _exit(127);
    close(run->master);
    close(run->slave);
    execl(ROVALTO_PROGRAM, ROVALTO_PROGRAM, "t", static_cast<char *>(nullptr));
    _exit(127);
  }

  std::string console;
  while (console.find(prompt) == std::string::npos) {
    pollfd ready = {run->master, POLLIN, 0};
    ASSERT_EQ(poll(&ready, 1, 10000), 1) << "no prompt; the console so far:\n" << console;
    char text[4096];
    ssize_t n = read(run->master, text, sizeof text);
    ASSERT_GT(n, 0) << "the console so far:\n" << console;
    console.append(text, static_cast<size_t>(n));
  }
  ASSERT_TRUE(WaitForOneKeyMode(run->slave)) << "the terminal never left line mode";
}

// Wait up to five seconds for the program to end or, with stopped, to stop.
// Return its status, or -1 when it did neither.
int WaitForEnd(const Paused &run, bool stopped = false) {
  for (int i = 0; i < 500; i++) {
    int status;
    pid_t done = waitpid(run.pid, &status, WNOHANG | (stopped ? WUNTRACED : 0));
    if (done == run.pid) return status;
    if (done < 0 && errno != EINTR) return -1;
    usleep(10000);
  }
  return -1;
}

void Finish(Paused *run) {
  if (run->pid > 0 && waitpid(run->pid, nullptr, WNOHANG) == 0) {
    kill(run->pid, SIGKILL);
    waitpid(run->pid, nullptr, 0);
  }
  if (run->master >= 0) close(run->master);
  if (run->slave >= 0) close(run->slave);
}

// The terminal's settings now, against those from before the run.
testing::AssertionResult Restored(const Paused &run) {
  termios now;
  if (tcgetattr(run.slave, &now) != 0) return testing::AssertionFailure() << "no terminal";
  if (!SameSettings(now, run.before))
    return testing::AssertionFailure() << "the terminal's settings differ from before the run";
  return testing::AssertionSuccess();
}

// Press one key at the pause: the run must end with status 0 and the
// terminal as it was.
void PressKeyToEnd(const Paused &run) {
  ASSERT_EQ(write(run.master, "x", 1), 1);
  int status = WaitForEnd(run);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  EXPECT_TRUE(Restored(run));
}

// Each test starts the program, and ends whatever is left of the run.
struct PauseTest : testing::Test {
  Paused run;
  void TearDown() override { Finish(&run); }
};

TEST_F(PauseTest, OneKeyEndsTheRun) {
  ASSERT_NO_FATAL_FAILURE(StartPaused(&run, false));
  PressKeyToEnd(run);
}

// A signal that ends the program at the pause ends it as it would without the
// pause, the terminal restored first.
TEST(Pause, SignalEndsTheRunAndRestoresTheTerminal) {
  for (int sig : {SIGTERM, SIGUSR1}) {
    Paused run;
    StartPaused(&run, false);
    if (!HasFatalFailure()) {
      kill(run.pid, sig);
      int status = WaitForEnd(run);
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig)
          << strsignal(sig) << ": status " << status;
      EXPECT_TRUE(Restored(run)) << strsignal(sig);
    }
    Finish(&run);
  }
}

// Stopped at the pause, the program leaves the terminal to the shell with its
// own settings; continued, it waits for one key again.
TEST_F(PauseTest, StopAndContinue) {
  ASSERT_NO_FATAL_FAILURE(StartPaused(&run, false));
  kill(run.pid, SIGTSTP);
  int status = WaitForEnd(run, true);
  EXPECT_TRUE(WIFSTOPPED(status)) << "status " << status;
  EXPECT_TRUE(Restored(run)) << "stopped";
  kill(run.pid, SIGCONT);
  EXPECT_TRUE(WaitForOneKeyMode(run.slave)) << "continued in line mode";
  PressKeyToEnd(run);
}

TEST_F(PauseTest, IgnoredSigintStaysIgnored) {
  ASSERT_NO_FATAL_FAILURE(StartPaused(&run, true));
  kill(run.pid, SIGINT);
  usleep(200000);
  EXPECT_EQ(waitpid(run.pid, nullptr, WNOHANG), 0) << "SIGINT ended the run";
  PressKeyToEnd(run);
}

} // namespace
