// Streaming XML: expat with a capped allocator, entity declarations refused.
#include "base/xml.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <expat.h>

// The document being parsed.
static struct {
  XML_Parser parser;    // nullptr while no document is started
  XmlHandlers handlers; // the caller's
  size_t allocated;     // bytes the parser holds, its blocks' headers included
  bool overMemory;      // an allocation was refused for the cap
  bool entityDeclared;  // the document type declared an entity
  bool lastGiven;       // the last bytes given were the document's last
} xml;

// Each block carries its size ahead of it, so that a free gives it back to
// the count. 16 bytes keep the block as aligned as malloc's.
constexpr size_t header = 16;

static void *Allocate(size_t size) {
  if (size > xmlMemoryCap - header || xml.allocated + header + size > xmlMemoryCap) {
    xml.overMemory = true;
    return nullptr;
  }
  // expat's memory is the one allocation of the program: the parser's
  // tables and buffers, which its own API only lets it grow itself.
  auto *block = static_cast<unsigned char *>(malloc(header + size));
  if (!block) return nullptr;
  memcpy(block, &size, sizeof size);
  xml.allocated += header + size;
  return block + header;
}

static void Free(void *pointer) {
  if (!pointer) return;
  unsigned char *block = static_cast<unsigned char *>(pointer) - header;
  size_t size;
  memcpy(&size, block, sizeof size);
  xml.allocated -= header + size;
  free(block);
}

static void *Reallocate(void *pointer, size_t size) {
  if (!pointer) return Allocate(size);
  unsigned char *block = static_cast<unsigned char *>(pointer) - header;
  size_t old;
  memcpy(&old, block, sizeof old);
  if (size > xmlMemoryCap - header || xml.allocated - old + size > xmlMemoryCap) {
    xml.overMemory = true;
    return nullptr;
  }
  auto *grown = static_cast<unsigned char *>(realloc(block, header + size));
  if (!grown) return nullptr;
  memcpy(grown, &size, sizeof size);
  xml.allocated = xml.allocated - old + size;
  return grown + header;
}

static void XMLCALL Start(void *, const XML_Char *name, const XML_Char **attributes) {
  xml.handlers.start(xml.handlers.user, name, attributes);
}

static void XMLCALL End(void *, const XML_Char *name) {
  xml.handlers.end(xml.handlers.user, name);
}

static void XMLCALL Text(void *, const XML_Char *bytes, int length) {
  xml.handlers.text(xml.handlers.user, bytes, length);
}

// An entity declared in the document type: refused before it can be used,
// whatever it holds.
static void XMLCALL EntityDeclared(void *, const XML_Char *, int, const XML_Char *, int,
                                   const XML_Char *, const XML_Char *, const XML_Char *,
                                   const XML_Char *) {
  xml.entityDeclared = true;
  XML_StopParser(xml.parser, static_cast<XML_Bool>(0));
}

bool StartXml(const XmlHandlers &handlers) {
  EndXml();
  xml.handlers = handlers;
  xml.allocated = 0;
  xml.overMemory = xml.entityDeclared = false;
  static const XML_Memory_Handling_Suite memory = {Allocate, Reallocate, Free};
  xml.parser = XML_ParserCreate_MM(nullptr, &memory, nullptr);
  if (!xml.parser) return false;
  XML_SetElementHandler(xml.parser, Start, End);
  XML_SetCharacterDataHandler(xml.parser, Text);
  XML_SetEntityDeclHandler(xml.parser, EntityDeclared);
  return true;
}

static XmlStatus StatusOf(enum XML_Status status, bool last) {
  if (status == XML_STATUS_SUSPENDED) return xmlSuspended;
  if (status == XML_STATUS_ERROR) return xmlRefused;
  return last ? xmlDone : xmlGoing;
}

XmlStatus ParseXml(const char *bytes, size_t n, bool last) {
  xml.lastGiven = last;
  // expat takes an int of bytes: blocks are far smaller.
  return StatusOf(XML_Parse(xml.parser, bytes, static_cast<int>(n), last), last);
}

void SuspendXml() {
  XML_StopParser(xml.parser, static_cast<XML_Bool>(1));
}

XmlStatus ResumeXml() {
  return StatusOf(XML_ResumeParser(xml.parser), xml.lastGiven);
}

void XmlError(char *text, size_t size) {
  const char *why = xml.entityDeclared ? "entity declarations are not allowed"
                    : xml.overMemory   ? "the file needs too much memory to read"
                                       : XML_ErrorString(XML_GetErrorCode(xml.parser));
  snprintf(text, size, "line %lu, column %lu: %s",
           static_cast<unsigned long>(XML_GetCurrentLineNumber(xml.parser)),
           static_cast<unsigned long>(XML_GetCurrentColumnNumber(xml.parser)) + 1, why);
}

void XmlPosition(unsigned long *line, unsigned long *column) {
  *line = static_cast<unsigned long>(XML_GetCurrentLineNumber(xml.parser));
  *column = static_cast<unsigned long>(XML_GetCurrentColumnNumber(xml.parser)) + 1;
}

void EndXml() {
  if (xml.parser) XML_ParserFree(xml.parser);
  xml.parser = nullptr;
}
