// Streaming XML for the GPX reader: expat behind the program's limits. One
// document is parsed at a time, fed in blocks of any size, its elements and
// text handed to the caller as they come, so memory stays flat whatever the
// document's size. Refused, as a document that is not well-formed is:
// a document type that declares entities (their expansion could grow
// without bound) and a document that needs more than xmlMemoryCap bytes of
// the parser's own memory. Nothing outside the document is ever read: no
// external entity, no external DTD.
#ifndef XML_H
#define XML_H

#include <cstddef>

// The most the parser may allocate for one document: a GPX file needs a few
// KiB, whatever its size.
constexpr size_t xmlMemoryCap = 4 << 20;

// What the caller is handed. Names and attributes are zero-terminated UTF-8;
// attributes come as name, value, ..., nullptr. Text comes in pieces, of
// length bytes each, that together make an element's character data.
struct XmlHandlers {
  void (*start)(void *user, const char *name, const char **attributes);
  void (*end)(void *user, const char *name);
  void (*text)(void *user, const char *bytes, int length);
  void *user;
};

// Where parsing stands after ParseXml or ResumeXml.
enum XmlStatus {
  xmlGoing,     // every byte given was parsed; more may follow
  xmlSuspended, // a handler called SuspendXml: ResumeXml goes on
  xmlDone,      // the last bytes were given and the document is whole
  xmlRefused,   // the document is refused: XmlError tells why and where
};

// Start a new document with handlers. Return false when the parser cannot
// be made (no memory).
bool StartXml(const XmlHandlers &handlers);

// Parse the n bytes at bytes, the last of the document when last. The bytes
// must stay as they are while parsing is suspended.
XmlStatus ParseXml(const char *bytes, size_t n, bool last);

// From a handler: stop after the current element or text, so that the
// caller takes what it was handed before the rest is parsed.
void SuspendXml();

// Go on after a suspension, with the bytes given last.
XmlStatus ResumeXml();

// Why and where the document was refused, as "line 4, column 2: mismatched
// tag" (1-based, as an editor counts), into text of size bytes.
void XmlError(char *text, size_t size);

// Where the parser stands: the line and column (1-based) of what it last
// handed over.
void XmlPosition(unsigned long *line, unsigned long *column);

// Free the parser and all it holds.
void EndXml();

#endif
