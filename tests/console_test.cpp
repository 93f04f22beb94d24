// The program on a console, played as a rider plays it: the question typed
// on a pseudo-terminal must read as the same answers piped in, and under
// Wine a double-click (a console of the program's own) must be told from a
// run in a console window.
#include "onekeymode.h"
#include "tempfolder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sstream>
#include <string>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

// A run on a pseudo-terminal: the program's process, both ends of the
// terminal, and all the program wrote so far.
struct OnTerminal {
  pid_t pid = -1;
  int master = -1, slave = -1;
  std::string console;
  ~OnTerminal() {
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    if (master >= 0) close(master);
    if (slave >= 0) close(slave);
  }
};

// Start argv in folder on a new pseudo-terminal, with env set beside the
// test's own environment.
void Start(OnTerminal *run, const std::string &folder, const std::vector<std::string> &argv,
           const std::vector<std::string> &env = {}) {
  ASSERT_EQ(openpty(&run->master, &run->slave, nullptr, nullptr, nullptr), 0);
  // Enter as a terminal window sends it, a CR, must reach Wine's console
  // as it is: Wine takes the LF a translating terminal makes for Ctrl-J.
  termios settings;
  ASSERT_EQ(tcgetattr(run->slave, &settings), 0);
  settings.c_iflag &= ~static_cast<tcflag_t>(ICRNL);
  ASSERT_EQ(tcsetattr(run->slave, TCSANOW, &settings), 0);
  std::vector<char *> args(argv.size() + 1, nullptr);
  std::transform(argv.begin(), argv.end(), args.begin(),
                 [](const std::string &arg) { return const_cast<char *>(arg.c_str()); });
  run->pid = fork();
  ASSERT_GE(run->pid, 0);
  if (run->pid == 0) {
    // A session of its own, with the terminal as its controlling one, as a
    // shell's window gives it.
    setsid();
    ioctl(run->slave, TIOCSCTTY, 0);
    for (const std::string &setting : env)
      putenv(const_cast<char *>(setting.c_str()));
    if (chdir(folder.c_str()) != 0 || dup2(run->slave, 0) < 0 || dup2(run->slave, 1) < 0 ||
        dup2(run->slave, 2) < 0)
      _exit(127);
    close(run->master);
    close(run->slave);
    execvp(args[0], args.data());
    _exit(127);
  }
}

// Read what the program writes, waiting up to a tenth of a second. Return
// false when nothing came.
bool ReadMore(OnTerminal *run) {
  pollfd ready = {run->master, POLLIN, 0};
  if (poll(&ready, 1, 100) != 1) return false;
  char text[4096];
  ssize_t n = read(run->master, text, sizeof text);
  if (n <= 0) return false;
  run->console.append(text, static_cast<size_t>(n));
  return true;
}

// The console without Wine's cursor moves, blanks and line ends: Wine draws
// its console with escape sequences, and moves the cursor for a blank.
std::string Squeezed(const std::string &console) {
  std::string text;
  for (size_t i = 0; i < console.size(); i++) {
    if (console[i] == '\x1b' && i + 1 < console.size() && console[i + 1] == '[') {
      i += 2;
      while (i < console.size() && !isalpha(static_cast<unsigned char>(console[i])))
        i++;
    } else if (!strchr(" \r\n", console[i])) {
      text += console[i];
    }
  }
  return text;
}

size_t Occurrences(const std::string &text, const std::string &part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    n++;
  return n;
}

// One thing the rider does: wait until the text has shown that many times,
// then type the keys.
struct Step {
  std::string text;
  size_t times;
  std::string keys;
};

// Play steps, then press a key at each pause (prompt) until the program
// ends. With squeeze, the texts are looked for in Squeezed(console); without
// it, each pause waits for the one-key mode. Return the exit status, or -1
// when the program stopped answering.
int Play(OnTerminal *run, const std::vector<Step> &steps, const std::string &prompt, bool squeeze) {
  auto shown = [&](const std::string &text) {
    return Occurrences(squeeze ? Squeezed(run->console) : run->console, text);
  };
  size_t step = 0, keysPressed = 0;
  // Tenths of a second without output, up to a minute.
  int idle = 0;
  for (;;) {
    if (step < steps.size() && shown(steps[step].text) >= steps[step].times) {
      const std::string &keys = steps[step++].keys;
      if (write(run->master, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size()))
        return -1;
      idle = 0;
      continue;
    }
    if (step == steps.size() && shown(prompt) > keysPressed) {
      if (!squeeze && !WaitForOneKeyMode(run->slave)) return -1;
      if (write(run->master, "x", 1) != 1) return -1;
      keysPressed++;
      idle = 0;
      continue;
    }
    if (ReadMore(run)) {
      idle = 0;
      continue;
    }
    // The test holds the terminal open: the end shows only as the exit.
    int status;
    if (waitpid(run->pid, &status, WNOHANG) == run->pid) {
      run->pid = -1;
      while (ReadMore(run)) {
      }
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (++idle == 600) return -1;
  }
}

std::string Folded(std::string text) {
  for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
    text.erase(at, 1);
  return text;
}

std::string Contents(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Run argv in folder with input on standard input, its output in *console.
// Return the exit status.
int RunPiped(const std::string &folder, const std::vector<std::string> &argv,
             const std::string &input, std::string *console) {
  std::string inputFile = folder + "/answers";
  std::ofstream(inputFile, std::ios::binary) << input;
  std::string command = "cd '" + folder + "' && '" + argv[0] + "' '" + argv[1] + "' < answers";
  FILE *output = popen(command.c_str(), "r");
  if (!output) return -1;
  char text[4096];
  for (size_t n; (n = fread(text, 1, sizeof text, output)) > 0;)
    console->append(text, n);
  int status = pclose(output);
  remove(inputFile.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const char question[] = "for the first and the next locations: ";
const char nativePrompt[] = "Press any key to continue . . . ";

// Typed answers, asked again and insisted on, read on the console exactly
// as the same answers read from a file.
TEST(Console, TypedAnswersReadAsPipedOnes) {
  TempFolder folder("rovalto-console");
  ASSERT_FALSE(folder.path().empty());
  std::ofstream(folder.path() + "/t.txt", std::ios::binary) << Contents(ROVALTO_SAMPLE);
  std::vector<std::string> argv = {ROVALTO_PROGRAM, folder.path() + "/t.txt"};

  OnTerminal typed;
  Start(&typed, folder.path(), argv);
  ASSERT_FALSE(HasFatalFailure());
  int status =
      Play(&typed, {{question, 1, "20\n"}, {question, 2, "20 10\n"}, {question, 3, "20 10\n"}},
           nativePrompt, false);
  ASSERT_EQ(status, 0) << typed.console;
  std::string piped;
  ASSERT_EQ(RunPiped(folder.path(), argv, "20\n20 10\n20 10\n", &piped), 0);
  EXPECT_EQ(Folded(typed.console), piped);
  EXPECT_NE(piped.find("20 10 gives 32 locations"), std::string::npos) << piped;
}

// rovalto.exe under Wine, on a pseudo-terminal: started directly, it has the
// console to itself, as after a double-click; through cmd /c it shares it.
struct DoubleClick : testing::Test {
  TempFolder folder{"rovalto-double-click"};
  OnTerminal run;
  void SetUp() override {
#ifndef ROVALTO_WINE
    GTEST_SKIP() << "rovalto.exe and Wine are not part of this build";
#endif
    ASSERT_FALSE(folder.path().empty());
  }
  // Play steps with rovalto.exe, started through the commands before it.
  int PlayExe(const std::vector<std::string> &before, const std::vector<Step> &steps) {
    for (int attempt = 1;; attempt++) {
#ifdef ROVALTO_WINE
      std::vector<std::string> command = {ROVALTO_WINE};
      command.insert(command.end(), before.begin(), before.end());
      command.push_back(ROVALTO_EXE);
      Start(&run, folder.path(), command,
            {"WINEDEBUG=-all", "WINEPREFIX=" ROVALTO_WINEPREFIX, "LANG=C.UTF-8"});
#else
      (void)before;
#endif
      int status = Play(&run, steps, "Pressanykeytocontinue...", true);
      // Every run prints its identification first: a console without a
      // byte is a Wine whose server was still ending the run before (seen
      // once in CI, 0.2 s after the test before it). It is started again,
      // once; a program that prints nothing still fails.
      if (!run.console.empty() || attempt == 2) return status;
      close(run.master);
      close(run.slave);
      run.master = run.slave = -1;
      run.pid = -1;
    }
  }
};

const char dropHint[] =
    "Toconvertatour,dropitsexport(the.txtfilethetourplannerwrote)ontorovalto.exe.";

TEST_F(DoubleClick, WithoutExportSaysToDropOne) {
  EXPECT_EQ(PlayExe({}, {}), 1) << run.console;
  std::string console = Squeezed(run.console);
  EXPECT_EQ(Occurrences(console, dropHint), 1u) << console;
  EXPECT_EQ(Occurrences(console, "Pressanykeytocontinue..."), 1u) << console;
  EXPECT_EQ(console.find("usage:"), std::string::npos) << console;
  EXPECT_EQ(console.find("can'topen"), std::string::npos) << console;
}

TEST_F(DoubleClick, ConsoleWindowRunKeepsTheUsageText) {
  EXPECT_EQ(PlayExe({"cmd", "/c"}, {}), 1) << run.console;
  std::string console = Squeezed(run.console);
  EXPECT_NE(console.find("usage:"), std::string::npos) << console;
  EXPECT_NE(console.find("Error:can'topen'MotorradTourenPlanerExport.txt'"), std::string::npos)
      << console;
  EXPECT_EQ(console.find(dropHint), std::string::npos) << console;
}

// Enter at the question: the tour that follows the route, with its day
// files, under the default names, as a dropped export gives it.
TEST_F(DoubleClick, ExportBesideItIsAskedAbout) {
  std::ofstream(folder.path() + "/MotorradTourenPlanerExport.txt", std::ios::binary)
      << Contents(ROVALTO_SAMPLE);
  EXPECT_EQ(PlayExe({}, {{"forthefirstandthenextlocations:", 1, "\r"}}), 0)
      << Squeezed(run.console);
  std::string console = Squeezed(run.console);
  EXPECT_NE(console.find("PressEnterfor14locationswithin1.2kmoftheroute(dayfiles:0.5km),"),
            std::string::npos)
      << console;
  EXPECT_EQ(console.find("usage:"), std::string::npos) << console;
  const std::string golden = ROVALTO_GOLDEN "/drop-enter-follows-the-route/out/Touren/";
  const char *const files[][2] = {{"MyMultiStopLocations.xml", "Tour.xml"},
                                  {"MyMultiStopLocations-day1.xml", "Tour-day1.xml"},
                                  {"MyMultiStopLocations-day2.xml", "Tour-day2.xml"},
                                  {"SmartSTimportPOIs.csv", "Tour.csv"}};
  for (const auto &file : files)
    EXPECT_EQ(Contents(folder.path() + "/" + file[0]), Contents(golden + file[1])) << file[0];
}

} // namespace
