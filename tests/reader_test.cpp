#include "reader.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

// The current row's columns joined by "|", without the empty ones at the end.
std::string Row() {
  std::string row;
  for (const char *c : column)
    row += c + "|"s;
  return row.substr(0, row.find_last_not_of('|') + 1);
}

// Every row of an export, read and split as the converter does; the last
// one is the row that came with the end of the input.
std::vector<std::string> Rows(const std::string &input) {
  FILE *stream = tmpfile();
  fwrite(input.data(), 1, input.size(), stream);
  rewind(stream);
  std::vector<std::string> rows;
  for (bool end = false; !end && rows.size() < 10;) {
    end = ReadRow(stream) != 0;
    SplitRow();
    rows.push_back(Row());
    for (size_t i = maxRowLength; i < std::size(line); i++)
      if (line[i] != '\0') ADD_FAILURE() << "byte " << i << " past the row is not zero";
  }
  fclose(stream);
  return rows;
}

const std::string x999(999, 'x'), x1000(1000, 'x');

const struct {
  const char *what;
  std::string input;
  std::vector<std::string> rows;
} cases[] = {
    {"a full line",
     "0\t12.5\tt\tName\t4\t5\tpos(1134567,4812345)alt\t10\tand more\n",
     {"0|12.5|t|Name|4|5|pos|1158242|4820958|alt|10\tand more", ""}},
    {"no line end at the end", "a\tb", {"a|b"}},
    {"an empty file", "", {""}},
    {"an empty line", "\n\n", {"", "", ""}},
    {"CR LF line ends", "a\r\nb\r\n", {"a", "b", ""}},
    {"a lone CR stays", "a\rb\n\r", {"a\rb", "\r"}},
    {"CR CR LF", "a\r\r\n", {"a\r", ""}},
    {"no tab at all", "a (1,2) b", {"a (1,2) b"}},
    {"missing delimiters", "a\t\t\t\t\t\t(1134567", {"a|||||||1158242"}},
    {"a bracket before the sixth tab", "(\t\t\t\t\t\tb(", {"(||||||b"}},
    {"a comma in column 6", "\t\t\t\t\t\ta,b(c,d)e", {"||||||a,b|c|d|e"}},
    {"200 tabs", std::string(200, '\t'), {std::string(6, '|') + std::string(194, '\t')}},
    {"NUL ends a column", "a\0b\tc\n"s, {"a|b|c", ""}},
    {"NUL in a coordinate", "\t\t\t\t\t\t(12\0003,4)\n"s, {"|||||||12|3,4", ""}},
    {"999 bytes", x999 + "\r\n", {x999, ""}},
    {"1000 bytes", x1000 + "\n", {x1000, "", ""}},
    {"1000 bytes and CR LF", x1000 + "\r\n", {x1000, "", ""}},
    {"1001 bytes", x1000 + "yz", {x1000, "yz"}},
    {"1000 bytes, no column ends", std::string(1000, '('), {std::string(1000, '('), ""}},
};

TEST(Reader, Rows) {
  for (const auto &c : cases)
    EXPECT_EQ(Rows(c.input), c.rows) << c.what;
}

} // namespace
