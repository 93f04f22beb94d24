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

} // namespace
