// The passes of a run over an export that does not hold still: written anew
// between the choice and the writing pass, or a stream whose rewind fails.
// Every output must then be told unfinished or the read error told, with no
// count and nothing indexed past what the choice saw (which the sanitizer
// build checks).
#include "choice/fit.h"
#include "daysexport.h"
#include "output/outputs.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace {

// An export on a stream whose text the test may replace between passes, and
// whose seek number failSeek (from 1) fails.
struct ChangingExport {
  std::string text;
  int failSeek;
  size_t at;
  int seeks;
};

ssize_t ReadChanging(void *cookie, char *buf, size_t size) {
  auto *input = static_cast<ChangingExport *>(cookie);
  size_t n = std::min(size, input->text.size() - std::min(input->text.size(), input->at));
  input->text.copy(buf, n, input->at);
  input->at += n;
  return static_cast<ssize_t>(n);
}

int SeekChanging(void *cookie, off64_t *offset, int whence) {
  auto *input = static_cast<ChangingExport *>(cookie);
  if (++input->seeks == input->failSeek) {
    errno = EIO;
    return -1;
  }
  if (whence == SEEK_CUR) *offset += static_cast<off64_t>(input->at);
  if (whence == SEEK_END) *offset += static_cast<off64_t>(input->text.size());
  input->at = static_cast<size_t>(*offset);
  return 0;
}

FILE *OpenChanging(ChangingExport *input) {
  cookie_io_functions_t io = {ReadChanging, nullptr, SeekChanging, nullptr};
  return fopencookie(input, "r", io);
}

// An export of nrDays days of nrPoints route points each, and a POI.
std::string Export(int nrDays, int nrPoints) {
  return "0\t\t\tGasthof\t\tPOI\t(1101300,4712432)\t\t\r\n" + DaysExport(nrDays, nrPoints);
}

ExportReader reader;
Following following;

// Follow the route of input, then run the passes of a follow run over it
// with its text then as later has it, the outputs in folder. Return the
// console.
std::string FollowThenWrite(ChangingExport *input, const std::string &later,
                            const std::string &folder) {
  FILE *stream = OpenChanging(input);
  if (!stream) return "no stream";
  StartReading(&reader, stream, "t.txt");
  if (FollowRoute(&reader, navmanN20Locations, &following, SeeEach<followingOutputs>) !=
      followChosen) {
    CloseExport(&reader);
    return "not chosen";
  }
  input->text = later;
  std::string tour = folder + "/t.xml";
  Conversion conversion = {byFollowing, navmanN20Locations, 0,          0,
                           &following,  tour.c_str(),       "/dev/null"};
  FileTableForgetWritten();
  testing::internal::CaptureStdout();
  if (RewindExport(&reader))
    RunTable<followingOutputs>(&reader, conversion);
  else
    CloseExport(&reader);
  return testing::internal::GetCapturedStdout();
}

TEST(Passes, ExportWrittenAfterTheChoiceLeavesEveryOutputUnfinished) {
  const struct {
    int days, points, laterDays, laterPoints;
  } cases[] = {{2, 20, 30, 20},  {20, 20, 30, 20}, {20, 20, 120, 20},
               {20, 20, 120, 3}, {2, 20, 1, 20},   {3, 20, 3, 21}};
  for (const auto &c : cases) {
    SCOPED_TRACE(std::to_string(c.days) + " days, then " + std::to_string(c.laterDays) + " of " +
                 std::to_string(c.laterPoints));
    TempFolder folder("rovalto-passes");
    ChangingExport input = {Export(c.days, c.points), 0, 0, 0};
    std::string console =
        FollowThenWrite(&input, Export(c.laterDays, c.laterPoints), folder.path());
    EXPECT_NE(console.find("Error: '" + folder.path() +
                           "/t.xml' is unfinished: 't.txt' changed "
                           "while it was read!"),
              std::string::npos)
        << console;
    EXPECT_NE(console.find("Error: '/dev/null' is unfinished"), std::string::npos) << console;
    EXPECT_EQ(console.find("contains"), std::string::npos) << console;
    EXPECT_EQ(console.find("holds"), std::string::npos) << console;
  }
}

TEST(Passes, SameLengthOtherBytesAreNoticed) {
  TempFolder folder("rovalto-passes");
  std::string text = Export(3, 20), later = text;
  later[later.size() / 2] ^= 1;
  ChangingExport input = {text, 0, 0, 0};
  std::string console = FollowThenWrite(&input, later, folder.path());
  EXPECT_NE(console.find("t-stops.gpx' is unfinished"), std::string::npos) << console;
  EXPECT_NE(console.find("t.svg' is unfinished"), std::string::npos) << console;
  EXPECT_NE(console.find("t-day3.xml' is unfinished"), std::string::npos) << console;
}

// The rewinds of a follow run of 3 days: the choice's two readings, the
// writing pass, the GPX file's routes and track and the picture's places.
TEST(Passes, FailedRewindIsAReadError) {
  for (int seek = 2; seek <= 4; seek++) {
    SCOPED_TRACE(seek);
    TempFolder folder("rovalto-passes");
    ChangingExport input = {Export(3, 20), seek, 0, 0};
    std::string console = FollowThenWrite(&input, input.text, folder.path());
    if (seek == 2) {
      // The choice's second reading.
      EXPECT_EQ(console, "not chosen");
      EXPECT_TRUE(ExportReadFailed(reader));
      continue;
    }
    EXPECT_NE(console.find("Error: can't read 't.txt'!"), std::string::npos) << console;
    EXPECT_EQ(console.find("holds the tour"), std::string::npos) << console;
    EXPECT_EQ(console.find("shows the tour"), std::string::npos) << console;
  }
}

TEST(Passes, FailedRewindInAnyPassFailsTheFit) {
  // The passes a fit of this export takes, counted first.
  ChangingExport counted = {Export(3, 20), 0, 0, 0};
  FILE *stream = OpenChanging(&counted);
  ASSERT_TRUE(stream);
  StartReading(&reader, stream, "t.txt");
  float first = 10, next = 10;
  Count locations;
  ASSERT_EQ(FitDistances(&reader, navmanN20Locations, &first, &next, &locations), fitWithinLimit);
  CloseExport(&reader);
  ASSERT_GT(counted.seeks, 2);
  for (int seek = 2; seek <= counted.seeks; seek++) {
    ChangingExport input = {Export(3, 20), seek, 0, 0};
    stream = OpenChanging(&input);
    ASSERT_TRUE(stream);
    StartReading(&reader, stream, "t.txt");
    EXPECT_EQ(FitDistances(&reader, navmanN20Locations, &first, &next, &locations), fitReadFailed)
        << seek;
    testing::internal::CaptureStdout();
    CloseExport(&reader);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: can't read 't.txt'!\n\n") << seek;
  }
}

} // namespace
