// The thin operating-system layer of the loaders: the current directory, the current
// directory of a drive, and opening and positioning data files. Win32 and POSIX
// implementations sit behind this one header; nothing else of the loaders depends on
// the platform.
#pragma once
#include <cstdint>
#include <cstdio>
#if !defined(_WIN32)
#include <climits>
#endif

namespace corvane {

// The longest path, in characters, that the platform's file calls take: the Win32 ANSI
// calls' MAX_PATH, or POSIX PATH_MAX. Every path buffer of the loaders has this length.
#if defined(_WIN32)
constexpr int maxpath = 260;
#else
constexpr int maxpath = PATH_MAX;
#endif

constexpr int nodir = -1;    // the platform gives no answer, or one longer than maxpath
constexpr int nodrive = -2;  // the drive does not exist (POSIX: there are no drives)

// The process's current directory, written to buf without a terminating zero. Returns
// its length, or nodir.
int getcurdir(char (&buf)[maxpath]);

// The current directory of the drive with the upper-case letter `letter`, written to buf
// without a terminating zero. Returns its length, nodrive or nodir.
int getdrivedir(char letter, char (&buf)[maxpath]);

// Rewrites the zero-terminated path in the form the platform opens it: on POSIX every
// backslash becomes '/', on Windows the path stays as it is.
void ospath(char (&path)[maxpath + 1]);

// Opens the existing regular file `path` (zero-terminated) for reading bytes. A backslash
// is a directory separator on every platform. Returns null when the file cannot be
// opened or is no regular file (a directory, a FIFO or pipe, a device, a console), so
// that no open waits for a writer and no read goes on for ever. On POSIX the open does
// not block (O_NONBLOCK) and fstat must find a regular file; on Windows the handle's
// file type must be a disk file.
std::FILE* openread(const char (&path)[maxpath + 1]);

// The next byte of f, or EOF, without taking the stream's lock: a loader's file is used
// by the one thread that opened it.
inline int readbyte(std::FILE* f) {
#if defined(_WIN32)
  return _getc_nolock(f);
#else
  return getc_unlocked(f);
#endif
}

// Moves f to byte `off` from the start of the file. False when the platform cannot.
bool seekto(std::FILE* f, std::int64_t off);

}  // namespace corvane
