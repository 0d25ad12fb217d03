// Win32: the ANSI current-directory calls of the process and of a drive; disk files only.
#include <io.h>
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

void ospath(char (&)[maxpath + 1]) {}

std::FILE* openread(const char (&path)[maxpath + 1]) {
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return nullptr;
  // Disk files only: a read from a pipe waits for its writer, a console for its user,
  // and NUL is no data file.
  const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
  if (h == INVALID_HANDLE_VALUE || GetFileType(h) != FILE_TYPE_DISK) {
    std::fclose(f);
    return nullptr;
  }
  return f;
}

bool seekto(std::FILE* f, std::int64_t off) {
  return off >= 0 && _fseeki64(f, off, SEEK_SET) == 0;
}

}  // namespace corvane
