// Text for the XML files: the export's bytes, which are Windows-1252, or a
// GPX file's, which are UTF-8, as UTF-8 character data, so that every XML
// file is well-formed whatever the input holds; and a GPX file's names in
// Windows-1252 for the POI file, as the device's import reads it.
#ifndef XMLTEXT_H
#define XMLTEXT_H

#include "base/files.h"

#include <cstddef>

// Take the input's texts as UTF-8 (a GPX file) or Windows-1252 (an export,
// as at the start).
void TakeInputAsUtf8(bool utf8);

// Append the length bytes at text, of the input, to out as XML character
// data: "&", "<" and ">" escaped; from Windows-1252, bytes of 0x80 and above
// as the characters they stand for in UTF-8, and control bytes and the five
// bytes that Windows-1252 leaves undefined as U+FFFD; from UTF-8, as
// PutUtf8XmlText puts them.
void PutXmlText(OutFile *out, const char *text, size_t length);

// Append the length bytes at text, of the input, to out in Windows-1252: an
// export's as they are, a GPX file's each character as Windows-1252 has it,
// and one it lacks, or a byte that is no part of a character, as "?".
void PutWindows1252Text(OutFile *out, const char *text, size_t length);

// Append the length bytes at text, a name in UTF-8, to out as XML character
// data: escaped as PutXmlText escapes, with every byte that is no part of a
// UTF-8 character, and every character XML does not take, as U+FFFD.
void PutUtf8XmlText(OutFile *out, const char *text, size_t length);

#endif
