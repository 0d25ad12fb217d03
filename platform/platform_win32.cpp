// Win32: the ANSI current-directory calls of the process and of a drive.
#include <windows.h>

#include <cstring>

#include "platform.h"

namespace corvane {

namespace {

// Copies an answer of n characters (0 or more than maxpath: failed) into buf.
int keep(DWORD n, const char (&tmp)[maxpath + 1], char (&buf)[maxpath]) {
  if (n == 0 || n > static_cast<DWORD>(maxpath)) return nodir;
  std::memcpy(buf, tmp, n);
  return static_cast<int>(n);
}

}  // namespace

int getcurdir(char (&buf)[maxpath]) {
  char tmp[maxpath + 1];
  DWORD n = GetCurrentDirectoryA(sizeof tmp, tmp);
  return keep(n, tmp, buf);
}

// The drive's root "X:\." tells whether the drive exists; "X:." is its current directory.
int getdrivedir(char letter, char (&buf)[maxpath]) {
  const char root[] = {letter, ':', '\\', '.', '\0'};
  UINT type = GetDriveTypeA(root);
  if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) return nodrive;
  const char rel[] = {letter, ':', '.', '\0'};
  char tmp[maxpath + 1];
  DWORD n = GetFullPathNameA(rel, sizeof tmp, tmp, nullptr);
  return keep(n, tmp, buf);
}

std::FILE* openread(const char (&path)[maxpath + 1]) { return std::fopen(path, "rb"); }

bool seekto(std::FILE* f, std::int64_t off) {
  return off >= 0 && _fseeki64(f, off, SEEK_SET) == 0;
}

}  // namespace corvane
