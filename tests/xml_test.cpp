// The XML service against hostile documents: each refused with where and
// why, within the parser's memory cap, nothing read from outside; and a
// document handed over piece by piece reads as one handed over whole.
#include "base/xml.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

// What the handlers saw: the elements opened and the text, in order.
struct Seen {
  std::string trace;
  bool suspend = false;
};

void Start(void *user, const char *name, const char **) {
  static_cast<Seen *>(user)->trace += std::string("<") + name + ">";
}
void End(void *user, const char *) {
  auto *seen = static_cast<Seen *>(user);
  seen->trace += "/";
  if (seen->suspend) SuspendXml();
}
void Text(void *user, const char *bytes, int length) {
  static_cast<Seen *>(user)->trace.append(bytes, static_cast<size_t>(length));
}

// Parse document in blocks of block bytes; return "" when whole, else the
// error.
std::string Parse(const std::string &document, size_t block, Seen *seen) {
  EXPECT_TRUE(StartXml({Start, End, Text, seen}));
  XmlStatus status = xmlGoing;
  for (size_t at = 0; status != xmlRefused && status != xmlDone;) {
    size_t n = std::min(block, document.size() - at);
    status = ParseXml(document.data() + at, n, at + n == document.size());
    while (status == xmlSuspended)
      status = ResumeXml();
    at += n;
  }
  char error[200] = "";
  if (status == xmlRefused) XmlError(error, sizeof error);
  EndXml();
  return error;
}

TEST(Xml, HostileDocumentsAreRefusedWithWhereAndWhy) {
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [\n <!ENTITY a \"aaaaaaaaaa\">\n";
  for (char c = 'b'; c <= 'k'; c++) {
    laughs += std::string(" <!ENTITY ") + c + " \"";
    for (int i = 0; i < 10; i++)
      laughs += std::string("&") + static_cast<char>(c - 1) + ";";
    laughs += "\">\n";
  }
  laughs += "]>\n<gpx>&k;</gpx>\n";
  std::string deep;
  for (int i = 0; i < 400000; i++)
    deep += "<a>";
  const struct {
    const char *what;
    std::string document;
    const char *error;
  } cases[] = {
      {"mismatched tag", "<gpx>\n<trk>\n<trkseg>\n</trk>\n</gpx>\n",
       "line 4, column 3: mismatched tag"},
      {"no element", "", "line 1, column 1: no element found"},
      {"billion laughs", laughs, "line 3, column 13: entity declarations are not allowed"},
      {"one entity", "<!DOCTYPE gpx [<!ENTITY x \"y\">]><gpx>&x;</gpx>",
       "line 1, column 27: entity declarations are not allowed"},
      {"a token of 5 MB", "<gpx name=\"" + std::string(5 << 20, 'x') + "\"/>",
       "the file needs too much memory to read"},
      {"400,000 open elements", deep, "the file needs too much memory to read"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    for (size_t block : {size_t{7}, size_t{64 * 1024}}) {
      Seen seen;
      std::string error = Parse(c.document, block, &seen);
      EXPECT_NE(error.find(c.error), std::string::npos) << error;
      EXPECT_EQ(seen.trace.find("aaaaaaaaaaaaaaaaaaaa"), std::string::npos);
    }
  }
}

// A document type naming a file outside: never read, the document is.
TEST(Xml, NothingOutsideIsRead) {
  Seen seen;
  std::string error =
      Parse("<!DOCTYPE gpx SYSTEM \"/etc/passwd\">\n<gpx>&x;<n>1</n></gpx>", 4096, &seen);
  EXPECT_EQ(seen.trace.find("root"), std::string::npos) << seen.trace;
  EXPECT_EQ(error, "");
  EXPECT_EQ(seen.trace, "<gpx><n>1//");
}

// Suspended at every end, in blocks of one byte to a block: the same trace.
TEST(Xml, SuspendedAndInPiecesReadsAsWhole) {
  std::string document =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx><trk><name>A &amp; "
      "B \xC3\xBC</name><trkseg><trkpt lat=\"1\" lon=\"2\"/></trkseg></trk></gpx>";
  Seen whole;
  ASSERT_EQ(Parse(document, document.size(), &whole), "");
  for (size_t block : {size_t{1}, size_t{3}, size_t{50}}) {
    Seen pieces;
    pieces.suspend = true;
    EXPECT_EQ(Parse(document, block, &pieces), "") << block;
    EXPECT_EQ(pieces.trace, whole.trace) << block;
  }
  EXPECT_NE(whole.trace.find("A & B \xC3\xBC"), std::string::npos) << whole.trace;
}

} // namespace
