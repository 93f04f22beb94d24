// The table of open files, and the identity of a file on POSIX systems
// (device and inode) and on Windows (volume serial number and file index).
#include "openfiles.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

// Which file on which volume: two names with the same identity are one file.
struct FileId {
  unsigned long long volume, index;
};

#ifdef _WIN32
static bool IdOfHandle(HANDLE handle, FileId *id) {
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  id->volume = info.dwVolumeSerialNumber;
  id->index = static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
  return true;
}

// Find the identity of the regular file fileName. Return false for anything else.
static bool IdOfName(const char *fileName, FileId *id) {
  HANDLE handle = CreateFileA(fileName, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool found = IdOfHandle(handle, id);
  CloseHandle(handle);
  return found;
}

// Find the identity of the regular file open in stream. Return false for anything else.
static bool IdOfStream(FILE *stream, FileId *id) {
  return IdOfHandle(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), id);
}
#else
static bool IdOfStat(const struct stat &st, FileId *id) {
  if (!S_ISREG(st.st_mode)) return false;
  id->volume = st.st_dev;
  id->index = st.st_ino;
  return true;
}

// Find the identity of the regular file fileName. Return false for anything else.
static bool IdOfName(const char *fileName, FileId *id) {
  struct stat st;
  return stat(fileName, &st) == 0 && IdOfStat(st, id);
}

// Find the identity of the regular file open in stream. Return false for anything else.
static bool IdOfStream(FILE *stream, FileId *id) {
  struct stat st;
  return fstat(fileno(stream), &st) == 0 && IdOfStat(st, id);
}
#endif

// The export and the two outputs, while they are open.
static struct {
  FILE *stream;
  FileId id;
} openFiles[3];

bool OpenFileTableHolds(const char *fileName) {
  FileId id;
  if (!IdOfName(fileName, &id)) return false;
  for (const auto &file : openFiles)
    if (file.stream && file.id.volume == id.volume && file.id.index == id.index) return true;
  return false;
}

void OpenFileTableAdd(FILE *stream) {
  for (auto &file : openFiles) {
    if (!file.stream) {
      if (IdOfStream(stream, &file.id)) file.stream = stream;
      return;
    }
  }
}

void OpenFileTableRemove(FILE *stream) {
  for (auto &file : openFiles)
    if (file.stream == stream) file.stream = nullptr;
}
