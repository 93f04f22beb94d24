// An export in memory on a stdio stream, its passes counted, that can fail
// with a read error at a chosen byte of a chosen pass, for tests of code that
// reads the export more than once.
#ifndef FAULTYEXPORT_H
#define FAULTYEXPORT_H

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <sys/types.h>

// An export on a stream that fails with a read error at byte failAt of pass
// failPass; a pass starts with each seek back to the start.
struct FaultyExport {
  std::string text;
  int failPass;
  size_t failAt;
  size_t at;
  int pass;
};

inline ssize_t ReadFaulty(void *cookie, char *buf, size_t size) {
  auto *input = static_cast<FaultyExport *>(cookie);
  size_t end = input->pass == input->failPass ? std::min(input->failAt, input->text.size())
                                              : input->text.size();
  if (input->at >= end && end < input->text.size()) {
    errno = EIO;
    return -1;
  }
  size_t n = std::min(size, end - std::min(end, input->at));
  input->text.copy(buf, n, input->at);
  input->at += n;
  return static_cast<ssize_t>(n);
}

inline int SeekFaulty(void *cookie, off64_t *offset, int whence) {
  auto *input = static_cast<FaultyExport *>(cookie);
  if (whence == SEEK_CUR) *offset += static_cast<off64_t>(input->at);
  if (whence == SEEK_END) *offset += static_cast<off64_t>(input->text.size());
  input->at = static_cast<size_t>(*offset);
  input->pass += input->at == 0;
  return 0;
}

// Open input as a stream for reading; nullptr when that fails.
inline FILE *OpenFaulty(FaultyExport *input) {
  cookie_io_functions_t io = {ReadFaulty, nullptr, SeekFaulty, nullptr};
  return fopencookie(input, "r", io);
}

#endif
