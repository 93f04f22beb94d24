// The table of open files, and the identity of a file on POSIX systems
// (device and inode) and on Windows (volume serial number and file index).
#include "base/filetable.h"

#include <algorithm>
#include <iterator>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32
FileKind KindOfFile(int fd, FileId *id) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) return unknownFile;
  DWORD type = GetFileType(handle);
  if (type == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR) return unknownFile;
  if (type != FILE_TYPE_DISK) return otherFile;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) return unknownFile;
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return folderFile;
  id->volume = info.dwVolumeSerialNumber;
  id->index = static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
  return regularFile;
}
#else
FileKind KindOfFile(int fd, FileId *id) {
  struct stat st;
  if (fstat(fd, &st) != 0) return unknownFile;
  if (S_ISDIR(st.st_mode)) return folderFile;
  if (!S_ISREG(st.st_mode)) return otherFile;
  id->volume = st.st_dev;
  id->index = st.st_ino;
  return regularFile;
}
#endif

struct TableEntry {
  FILE *stream; // nullptr for a free entry
  FileId id;    // the identity of the file open in stream
};
static TableEntry fileTable[fileTableSize];

// The outputs written and closed in this run.
static FileId written[maxClosedOutputs];
static size_t nrWritten;
static bool writtenLost; // more were closed than written holds

static bool SameFile(const FileId &a, const FileId &b) {
  return a.volume == b.volume && a.index == b.index;
}

bool FileTableHolds(const FileId &id) {
  return writtenLost ||
         std::any_of(
             std::begin(fileTable), std::end(fileTable),
             [&id](const TableEntry &file) { return file.stream && SameFile(file.id, id); }) ||
         std::any_of(written, written + nrWritten,
                     [&id](const FileId &file) { return SameFile(file, id); });
}

bool FileTableAdd(FILE *stream, const FileId &id) {
  auto entry = std::find_if(std::begin(fileTable), std::end(fileTable),
                            [](const TableEntry &file) { return !file.stream; });
  if (entry == std::end(fileTable)) return false;
  entry->stream = stream;
  entry->id = id;
  return true;
}

void FileTableRemove(const FILE *stream) {
  for (auto &file : fileTable)
    if (file.stream == stream) file.stream = nullptr;
}

void FileTableClose(const FILE *stream) {
  for (auto &file : fileTable) {
    if (file.stream != stream) continue;
    file.stream = nullptr;
    if (nrWritten < maxClosedOutputs)
      written[nrWritten++] = file.id;
    else
      writtenLost = true;
  }
}

void FileTableForgetWritten() {
  nrWritten = 0;
  writtenLost = false;
}

void FileTableAddConsole() {
  static_assert(fileTableSize >= 2, "room for the console in an empty table");
  FileId id;
  // Where the system cannot tell (Wine, for a handle it inherited), the
  // console stays out of the table.
  if (KindOfFile(fileno(stdout), &id) == regularFile) (void)FileTableAdd(stdout, id);
  if (KindOfFile(fileno(stderr), &id) == regularFile) (void)FileTableAdd(stderr, id);
}
