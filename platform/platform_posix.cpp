// POSIX: getcwd, no drive letters, '/' for the backslash of a data path, regular files only.
#include <fcntl.h>
#include <sys/stat.h>
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

void ospath(char (&path)[maxpath + 1]) {
  for (int i = 0; i < maxpath && path[i] != '\0'; ++i) {
    if (path[i] == '\\') path[i] = '/';
  }
  path[maxpath] = '\0';
}

std::FILE* openread(const char (&path)[maxpath + 1]) {
  char tmp[maxpath + 1];
  for (int i = 0; i <= maxpath; ++i) {
    tmp[i] = path[i];
    if (path[i] == '\0') break;
  }
  ospath(tmp);
  // O_NONBLOCK: a FIFO without a writer does not hold the open; O_NOCTTY: a terminal
  // named as a data file does not become the process's controlling terminal.
  const int fd = open(tmp, O_RDONLY | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return nullptr;
  struct stat sb;
  if (fstat(fd, &sb) != 0 || !S_ISREG(sb.st_mode)) {
    close(fd);
    return nullptr;
  }
  // The flag has no effect on a regular file; cleared, the stream is the one fopen gives.
  const int fl = fcntl(fd, F_GETFL);
  if (fl == -1 || fcntl(fd, F_SETFL, fl & ~O_NONBLOCK) == -1) {
    close(fd);
    return nullptr;
  }
  std::FILE* f = fdopen(fd, "rb");
  if (f == nullptr) close(fd);
  return f;
}

bool seekto(std::FILE* f, std::int64_t off) {
  if (off < 0 || off > static_cast<std::int64_t>(std::numeric_limits<off_t>::max())) return false;
  return fseeko(f, static_cast<off_t>(off), SEEK_SET) == 0;
}

}  // namespace corvane
