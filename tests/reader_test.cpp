#include "input/reader.h"

#include "random.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

// The reader and its one row, as the converter keeps them: static.
ExportReader reader;
Row row;

// The row's columns joined by "|", without the empty ones at the end.
std::string Joined() {
  std::string joined;
  for (const char *c : row.column)
    joined += c + "|"s;
  return joined.substr(0, joined.find_last_not_of('|') + 1);
}

// Every row of an export, read and split as the converter does; the last
// one is the row that came with the end of the input.
std::vector<std::string> Rows(const std::string &input) {
  FILE *stream = tmpfile();
  fwrite(input.data(), 1, input.size(), stream);
  rewind(stream);
  StartReading(&reader, stream, "export");
  std::vector<std::string> rows;
  for (bool end = false; !end && rows.size() < 10;) {
    end = ReadLine(&reader, &row) != rowRead;
    SplitRow(&row);
    rows.push_back(Joined());
    for (size_t i = maxRowLength; i < std::size(row.text); i++)
      if (row.text[i] != '\0') ADD_FAILURE() << "byte " << i << " past the row is not zero";
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
     {"0|12.5|t|Name|4|5|pos|1158242|4820958", ""}},
    {"no line end at the end", "a\tb", {"a|b"}},
    {"an empty file", "", {""}},
    {"an empty line", "\n\n", {"", "", ""}},
    {"CR LF line ends", "a\r\nb\r\n", {"a", "b", ""}},
    {"a lone CR stays", "a\rb\n\r", {"a\rb", "\r"}},
    {"CR CR LF", "a\r\r\n", {"a\r", ""}},
    {"no tab at all", "a (1,2) b", {"a (1,2) b"}},
    {"missing delimiters", "a\t\t\t\t\t\t(1134567", {"a|||||||1158242"}},
    {"a bracket before the sixth tab", "(\t\t\t\t\t\tb(", {"(||||||b"}},
    {"a comma in column 6", "\t\t\t\t\t\ta,b(c,d)e", {"||||||a,b|c|d"}},
    {"200 tabs", std::string(200, '\t'), {std::string(6, '|') + std::string(194, '\t')}},
    {"NUL ends a column", "a\0b\tc\n"s, {"a|b|c", ""}},
    {"byte 0xFF in a column", "Caf\xFF Zentral\t\xFF\n", {"Caf\xFF Zentral|\xFF", ""}},
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

// A stream of text that fails with a read error once its first failAfter
// bytes have been read.
struct FailingInput {
  std::string text;
  size_t failAfter, at;
};

ssize_t ReadFailing(void *cookie, char *buf, size_t size) {
  auto *input = static_cast<FailingInput *>(cookie);
  size_t n = std::min(size, std::min(input->text.size(), input->failAfter) - input->at);
  if (n == 0 && input->at < input->text.size()) {
    errno = EIO;
    return -1;
  }
  input->text.copy(buf, n, input->at);
  input->at += n;
  return static_cast<ssize_t>(n);
}

// A read error ends the input; the rows before it are read whole, and the row
// it cut short is never handed on, whatever it holds already.
TEST(Reader, ReadError) {
  const std::string text = "a\t1\n" + x999 + "\r\nb\t2\r\nc\t3\n";
  const struct {
    size_t failAfter;
    std::vector<std::string> rows;
  } failures[] = {
      {0, {}},
      {2, {}},
      {4, {"a|1"}},
      {1003, {"a|1"}},
      {1004, {"a|1"}}, // the CR is byte 1000 of the row, its LF is missing
      {1005, {"a|1", x999}},
      {1007, {"a|1", x999}},
      {1010, {"a|1", x999, "b|2"}},
  };
  for (const auto &c : failures) {
    FailingInput input{text, c.failAfter, 0};
    FILE *stream = fopencookie(&input, "r", {ReadFailing, nullptr, nullptr, nullptr});
    StartReading(&reader, stream, "export");
    std::vector<std::string> rows;
    int read;
    while ((read = ReadLine(&reader, &row)) == rowRead && rows.size() < 10) {
      SplitRow(&row);
      rows.push_back(Joined());
    }
    EXPECT_EQ(read, readFailed) << "failing after " << c.failAfter;
    EXPECT_EQ(rows, c.rows) << "failing after " << c.failAfter;
    fclose(stream);
  }
}

// A generated export of a few MB whose lines cross the reader's block
// boundaries in every way: lengths from 0 to 1,200 bytes, CR LF, LF, lone CR,
// NUL bytes, and at each 64 KiB boundary a CR as byte 1000 of a row, its LF
// (or another byte) right after the boundary.
std::string OddExport() {
  Random generator = {7};
  auto random = [&generator](unsigned n) { return generator.Below(n); };
  auto bytes = [&random](size_t n) {
    std::string text;
    for (size_t i = 0; i < n; i++) {
      unsigned kind = random(100);
      text += kind == 0   ? '\0'
              : kind == 1 ? '\r'
              : kind < 10 ? '\t'
                          : static_cast<char>('a' + kind % 26);
    }
    return text;
  };
  const size_t blockSize = readBlockSize;
  std::string text;
  for (size_t boundary = blockSize; text.size() < 3000000;) {
    if (text.size() + maxRowLength + 1210 > boundary) {
      // Lines up to the boundary, then a row whose byte 1000 is its last.
      text += bytes(boundary - maxRowLength - text.size() - 1) + "\n";
      text += bytes(maxRowLength - 1) + (boundary / blockSize % 2 ? "\r\n" : "\rx\n");
      boundary += blockSize;
      continue;
    }
    size_t length = random(8) == 0 ? 995 + random(10) : random(1201);
    const char *const ends[] = {"\r\n", "\n", "\r", "\r\r\n"};
    text += bytes(length) + ends[random(4)];
  }
  return text;
}

// The rows of text, cut plainly: at most 1000 bytes up to the LF, a CR right
// before the LF (also as byte 1000) belonging to the line end, the last row
// whatever is left after the last line end.
std::vector<std::string> RowsOf(const std::string &text) {
  std::vector<std::string> rows;
  size_t at = 0;
  for (;;) {
    size_t end = std::min(text.find('\n', at), std::min(at + maxRowLength, text.size()));
    std::string cut = text.substr(at, end - at);
    at = end;
    bool lineEnd =
        at < text.size() && text[at] == '\n' && (cut.size() < maxRowLength || cut.back() == '\r');
    if (lineEnd) {
      at++;
      if (!cut.empty() && cut.back() == '\r') cut.pop_back();
    }
    rows.push_back(cut);
    if (at == text.size() && !lineEnd && cut.size() < maxRowLength) return rows;
  }
}

TEST(Reader, BlockBoundaries) {
  const std::string text = OddExport();
  const std::vector<std::string> want = RowsOf(text);
  FILE *stream = tmpfile();
  fwrite(text.data(), 1, text.size(), stream);
  rewind(stream);
  StartReading(&reader, stream, "export");
  size_t n = 0, wrong = 0;
  for (int read = rowRead; read == rowRead && wrong < 5; n++) {
    read = ReadLine(&reader, &row);
    std::string got(row.text, row.length);
    if (n >= want.size() || got != want[n] || (read == lastRow) != (n + 1 == want.size()) ||
        std::string(row.text + row.length, nrColumns) != std::string(nrColumns, '\0')) {
      ADD_FAILURE() << "row " << n << " of " << want.size() << ": got " << got.size()
                    << " bytes, want " << (n < want.size() ? want[n].size() : 0);
      wrong++;
    }
  }
  EXPECT_EQ(n, want.size());
  fclose(stream);
}

} // namespace
