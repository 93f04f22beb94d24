// Text for the XML files: the export's bytes, which are Windows-1252, as
// UTF-8 character data, so that every XML file is well-formed whatever the
// export holds.
#ifndef XMLTEXT_H
#define XMLTEXT_H

#include "base/files.h"

#include <cstddef>

// Append the length bytes at text to out as XML character data: "&", "<" and
// ">" escaped, bytes of 0x80 and above as the Windows-1252 characters they
// stand for in UTF-8, and control bytes and the five bytes that Windows-1252
// leaves undefined as U+FFFD.
void PutXmlText(OutFile *out, const char *text, size_t length);

// Append the length bytes at text, a name in UTF-8, to out as XML character
// data: escaped as PutXmlText escapes, with every byte that is no part of a
// UTF-8 character, and every character XML does not take, as U+FFFD.
void PutUtf8XmlText(OutFile *out, const char *text, size_t length);

#endif
