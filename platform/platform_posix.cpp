// POSIX: getcwd, no drive letters, '/' for the backslash of a data path.
#include <sys/types.h>
#include <unistd.h>

#include <cstring>
#include <limits>

#include "platform.h"

namespace corvane {

int getcurdir(char (&buf)[maxpath]) {
  char tmp[maxpath + 1];
  if (getcwd(tmp, sizeof tmp) == nullptr) return nodir;
  int n = static_cast<int>(std::strlen(tmp));
  if (n > maxpath) return nodir;
  std::memcpy(buf, tmp, static_cast<std::size_t>(n));
  return n;
}

int getdrivedir(char, char (&)[maxpath]) { return nodrive; }

std::FILE* openread(const char (&path)[maxpath + 1]) {
  char tmp[maxpath + 1];
  for (int i = 0; i <= maxpath; ++i) {
    tmp[i] = path[i] == '\\' ? '/' : path[i];
    if (path[i] == '\0') break;
  }
  tmp[maxpath] = '\0';
  return std::fopen(tmp, "rb");
}

bool seekto(std::FILE* f, std::int64_t off) {
  if (off < 0 || off > static_cast<std::int64_t>(std::numeric_limits<off_t>::max())) return false;
  return fseeko(f, static_cast<off_t>(off), SEEK_SET) == 0;
}

}  // namespace corvane
