// The table of open files guards every file the run has open: a file that
// finds it full is not opened, rather than opened unguarded.
#include "files.h"
#include "filetable.h"
#include "tempfolder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
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
