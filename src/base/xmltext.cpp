// XML character data from Windows-1252. Each byte has its UTF-8 text in one
// table, made when the program is built: a location's name and position are
// a few bytes, looked up one by one.
#include "base/xmltext.h"

#include <cstring>

namespace {

// The UTF-8 text of one byte: at most "&amp;", five bytes.
struct Utf8 {
  char text[5];
  unsigned char length;
};

// U+0080 to U+009F in Windows-1252 are its own characters; zero marks the
// five bytes it leaves undefined.
constexpr unsigned short cp1252From80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr unsigned replacementCharacter = 0xFFFD;

constexpr Utf8 Encode(unsigned c) {
  Utf8 out{};
  if (c < 0x80) {
    out.text[0] = static_cast<char>(c);
    out.length = 1;
  } else if (c < 0x800) {
    out.text[0] = static_cast<char>(0xC0 | c >> 6);
    out.text[1] = static_cast<char>(0x80 | (c & 0x3F));
    out.length = 2;
  } else {
    out.text[0] = static_cast<char>(0xE0 | c >> 12);
    out.text[1] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out.text[2] = static_cast<char>(0x80 | (c & 0x3F));
    out.length = 3;
  }
  return out;
}

constexpr Utf8 Entity(const char *name) {
  Utf8 out{};
  for (; name[out.length]; out.length++)
    out.text[out.length] = name[out.length];
  return out;
}

struct Utf8Table {
  Utf8 of[256];
  bool plain[256]; // the byte is its own UTF-8 text
};

constexpr Utf8Table MakeTable() {
  Utf8Table table{};
  for (unsigned b = 0; b < 256; b++) {
    unsigned c = b;
    // XML takes no control character but the tab and the line ends, and a
    // parser folds those into blanks: in a name each is a stray byte.
    if (b < 0x20) c = replacementCharacter;
    if (b >= 0x80 && b < 0xA0)
      c = cp1252From80[b - 0x80] ? cp1252From80[b - 0x80] : replacementCharacter;
    table.of[b] = Encode(c);
  }
  // ">" too, so that no text can end a CDATA section ("]]>").
  table.of[static_cast<unsigned char>('&')] = Entity("&amp;");
  table.of[static_cast<unsigned char>('<')] = Entity("&lt;");
  table.of[static_cast<unsigned char>('>')] = Entity("&gt;");
  for (unsigned b = 0; b < 256; b++)
    table.plain[b] =
        table.of[b].length == 1 && static_cast<unsigned char>(table.of[b].text[0]) == b;
  return table;
}

constexpr Utf8Table utf8 = MakeTable();

} // namespace

static bool inputUtf8;

void TakeInputAsUtf8(bool utf8Input) {
  inputUtf8 = utf8Input;
}

void PutXmlText(OutFile *out, const char *text, size_t length) {
  if (inputUtf8) {
    PutUtf8XmlText(out, text, length);
    return;
  }
  // Runs of bytes that stand for themselves go out whole: most names are
  // digits and a point.
  size_t start = 0;
  for (size_t i = 0; i < length; i++) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (utf8.plain[b]) continue;
    PutBytes(out, text + start, i - start);
    PutBytes(out, utf8.of[b].text, utf8.of[b].length);
    start = i + 1;
  }
  PutBytes(out, text + start, length - start);
}

void PutUtf8XmlText(OutFile *out, const char *text, size_t length) {
  static constexpr Utf8 replacement = Encode(replacementCharacter);
  const char *end = text + length;
  for (size_t n; text < end; text += n) {
    n = Utf8Bytes(text);
    // A character cut off by the end is none.
    if (n > static_cast<size_t>(end - text)) n = 0;
    // U+FFFE and U+FFFF are no XML characters either.
    bool noCharacter =
        n == 3 && memcmp(text, "\xEF\xBF", 2) == 0 && static_cast<unsigned char>(text[2]) >= 0xBE;
    if (n == 0 || noCharacter) {
      PutBytes(out, replacement.text, replacement.length);
      n = n ? n : 1;
    } else if (n == 1) {
      // Below 0x80 the table's text is UTF-8's, escapes included.
      const Utf8 &byte = utf8.of[static_cast<unsigned char>(*text)];
      PutBytes(out, byte.text, byte.length);
    } else {
      PutBytes(out, text, n);
    }
  }
}

void PutWindows1252Text(OutFile *out, const char *text, size_t length) {
  if (!inputUtf8) {
    PutBytes(out, text, length);
    return;
  }
  const char *end = text + length;
  for (size_t n; text < end; text += n) {
    n = Utf8Bytes(text);
    if (n > static_cast<size_t>(end - text)) n = 0;
    const auto *p = reinterpret_cast<const unsigned char *>(text);
    unsigned c = n == 1   ? p[0]
                 : n == 2 ? (p[0] & 0x1Fu) << 6 | (p[1] & 0x3Fu)
                 : n == 3 ? (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu)
                          : 0x110000;
    char byte = '?';
    if (c < 0x80 || (c >= 0xA0 && c < 0x100)) byte = static_cast<char>(c);
    for (unsigned i = 0; i < 32; i++)
      if (c >= 0x100 && cp1252From80[i] == c) byte = static_cast<char>(0x80 + i);
    PutBytes(out, &byte, 1);
    n = n ? n : 1;
  }
}
