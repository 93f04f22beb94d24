// The table of open files guards every file the run has open or has written:
// a file that finds it full is not opened, rather than opened unguarded, and
// no output is written twice under two names.
#include "base/files.h"
#include "base/filetable.h"
#include "tempfolder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

TEST(Files, FullTableRefusesTheOpen) {
  // The refusal pauses, as any open failure does.
  ASSERT_TRUE(freopen("/dev/null", "r", stdin));
  TempFolder folder("rovalto-files");
  ASSERT_FALSE(folder.path().empty());
  std::vector<OutFile> outputs(fileTableSize + 1);
  size_t opened = 0;
  for (OutFile &out : outputs) {
    std::string name = folder.path() + "/" + std::to_string(opened) + ".xml";
    out = {OpenFile(name.c_str(), "w"), 0, {}};
    if (!out.stream) break;
    opened++;
  }
  EXPECT_EQ(opened, fileTableSize);
  for (size_t i = 0; i < opened; i++)
    CloseOutput(&outputs[i], "output");
  // Closed, they leave the table free again.
  std::string name = folder.path() + "/again.xml";
  OutFile again = {OpenFile(name.c_str(), "w"), 0, {}};
  EXPECT_TRUE(again.stream);
  if (again.stream) CloseOutput(&again, "again");
}

// Two names for one file are refused as outputs of one run even when the
// first was closed before the second opens, as a day file is before the
// next day's: by a symbolic link or a hard link, whichever name is the link.
TEST(Files, OneFileUnderTwoNamesIsWrittenOnce) {
  ASSERT_TRUE(freopen("/dev/null", "r", stdin));
  for (bool hard : {false, true})
    for (bool laterIsLink : {false, true}) {
      SCOPED_TRACE(std::string(hard ? "hard" : "symbolic") +
                   (laterIsLink ? ", later" : ", earlier"));
      TempFolder folder("rovalto-files");
      ASSERT_FALSE(folder.path().empty());
      std::string earlier = folder.path() + "/t-day1.xml", later = folder.path() + "/t-day2.xml";
      const std::string &file = laterIsLink ? earlier : later,
                        &link = laterIsLink ? later : earlier;
      FILE *made = fopen(file.c_str(), "w");
      ASSERT_TRUE(made);
      fclose(made);
      ASSERT_EQ(hard ? ::link(file.c_str(), link.c_str()) : symlink(file.c_str(), link.c_str()), 0);
      FileTableForgetWritten();
      OutFile first = {OpenFile(earlier.c_str(), "w"), 0, {}};
      ASSERT_TRUE(first.stream);
      EXPECT_EQ(CloseOutput(&first, "first"), 0);
      OutFile second = {OpenFile(later.c_str(), "w"), 0, {}};
      EXPECT_FALSE(second.stream);
      if (second.stream) CloseOutput(&second, "second");
      // A device is no file to guard: it may take any number of outputs.
      for (int i = 0; i < 2; i++) {
        OutFile device = {OpenFile("/dev/null", "w"), 0, {}};
        EXPECT_TRUE(device.stream);
        if (device.stream) CloseOutput(&device, "/dev/null");
      }
      // The next run starts afresh.
      FileTableForgetWritten();
      OutFile again = {OpenFile(later.c_str(), "w"), 0, {}};
      EXPECT_TRUE(again.stream);
      if (again.stream) CloseOutput(&again, "again");
    }
}

// The base name limit counts characters wherever a name is UTF-8; any other
// bytes are counted one by one.
TEST(Files, NameLengthCountsCharacters) {
  const struct {
    const char *name;
    size_t length;
  } cases[] = {
      {"", 0},
      {"Tour", 4},
      {"Gr\xC3\xBC\xC3\x9F Gott", 9},  // "Grüß Gott"
      {"\xE6\x97\x85\xE8\xA1\x8C", 2}, // two CJK characters
      {"\xF0\x9F\x8F\x8D", 1},         // one character beyond the BMP
      {"Gr\xFC\xDF", 4},               // Windows-1252, not UTF-8
      {"\xC3", 1},                     // cut short
      {"\xC0\xAF", 2},                 // overlong
      {"\xED\xA0\x80", 3},             // a surrogate
      {"\xF4\x90\x80\x80", 4},         // beyond U+10FFFF
      {"a\x80", 2},                    // a stray continuation byte
  };
  for (const auto &c : cases)
    EXPECT_EQ(NameLength(c.name), c.length) << "'" << c.name << "'";
}

} // namespace
