// The loaders' platform behaviour on Windows (run under Wine by the Windows builds):
// the data directory from the process's current directory and from the current
// directory of a drive, the drive carry-over of curdir between two calls of one loader
// when the host changes drive, the loaders' separate buffers, data paths with
// backslashes, and that only disk files are read. The loaders are linked in statically,
// since the DLLs export only the four functions. Prints "N passed, M failed"; exits
// non-zero on any failure.
#include <direct.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "asogpar.h"
#include "fixtures.h"
#include "loaders.h"
#include "stage.h"
#include "unifpar.h"
#include "view.h"

using namespace corvane;
using namespace corvane::testing;

namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const char* what, int line) {
  if (ok) {
    ++passed;
  } else {
    ++failed;
    std::printf("FAILED line %d: %s\n", line, what);
  }
}

#define CHECK(cond) check((cond), #cond, __LINE__)

std::string text(const char (&buf)[maxpath]) {
  int n = maxpath;
  while (n > 0 && buf[n - 1] == ' ') --n;
  return std::string(buf, static_cast<std::size_t>(n));
}

bool blanks(const char (&buf)[maxpath]) {
  for (char c : buf) {
    if (c != ' ') return false;
  }
  return true;
}

std::string curdir() {
  char b[MAX_PATH + 1];
  DWORD n = GetCurrentDirectoryA(sizeof b, b);
  return std::string(b, n);
}

void put(const std::string& name, const std::string& content) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  if (f == nullptr) {
    std::printf("cannot write %s\n", name.c_str());
    std::exit(2);
  }
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
}

// Runs f with standard error sent to a file; returns what it wrote there.
template <class F>
std::string stderrof(F f) {
  std::fflush(stderr);
  const int saved = _dup(2);
  std::FILE* out = std::fopen("stderr.txt", "w+b");
  _dup2(_fileno(out), 2);
  f();
  std::fflush(stderr);
  _dup2(saved, 2);
  _close(saved);
  std::string s;
  std::rewind(out);
  for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out)) s += static_cast<char>(c);
  std::fclose(out);
  std::remove("stderr.txt");
  return s;
}

std::int32_t ids[maxcomp] = {1};
std::int32_t ng;
std::int32_t ierr;
double fhsize[maxgrp], nuasog[maxgrp * maxcomp], asogm[maxgrp * maxgrp], asogn[maxgrp * maxgrp];

// loadasog of the one component of asog.nam, whose only group is 6.
void load() {
  ng = -1;
  ierr = -1;
  loadasog(1, ids, ng, fhsize, nuasog, asogm, asogn, ierr);
}

bool loaded() { return ierr == 0 && ng == 1 && asogm[0] == mval(6, 6) && asogn[0] == nval(6, 6); }

}  // namespace

int main() {
  // A fresh working directory below the build tree, on drive Z:.
  const std::string work = curdir() + "\\winloaders" + std::to_string(8 * sizeof(void*));
  std::system(("rmdir /s /q \"" + work + "\" 2>nul").c_str());
  _mkdir(work.c_str());
  _chdir(work.c_str());
  const std::string home = curdir();
  CHECK(home == work);
  CHECK(home.substr(0, 3) == "Z:\\");
  const aslot e{0, 0.0};
  put("asog.nam", asogrec(1.0, {{6, 1.0}, e, e, e, e, e, e}));
  put("prm.aso", prmaso());

  // No place.dat: the process's current directory, and the component file beside it.
  load();
  CHECK(loaded());
  CHECK(text(asogstate.curdir) == home);
  CHECK(text(asogstate.datadir) == home);
  CHECK(text(asogstate.datapath) == home + "\\prm.aso");

  // The host moves to drive C: with the C runtime's _chdir. That sets the process's
  // current directory only; no directory of drive Z: is remembered, so for the second
  // call, which asks for the current directory of the first call's drive Z:
  // (GetFullPathNameA of "Z:."), the platform answers the root "Z:\". The files are
  // not there: the load fails, with a diagnostic.
  CHECK(_chdir("C:\\windows") == 0);
  CHECK(curdir() == "C:\\windows");
  load();
  CHECK(text(asogstate.curdir) == "Z:\\");
  CHECK(text(asogstate.datadir) == "Z:\\");
  CHECK(text(asogstate.datapath) == "Z:\\\\asog.nam");
  CHECK(ierr == 1);

  // Another loader's first call takes the process's current directory on C:: the
  // buffers are separate.
  std::int32_t err = -1;
  finddatadir(unifacstate, err);
  CHECK(err == 0);
  CHECK(text(unifacstate.curdir) == "C:\\windows");
  CHECK(text(asogstate.curdir) == "Z:\\");

  // Back on Z:, the ASOG loader's next call asks for drive Z: again, whose current
  // directory is now the process's.
  CHECK(_chdir(home.c_str()) == 0);
  load();
  CHECK(loaded());
  CHECK(text(asogstate.curdir) == home);

  // A host that records each drive's directory as the command interpreter does, in the
  // variable "=Z:", gets that directory back for drive Z: after moving to C:, and the
  // load finds its files on Z: while the process stands on C:.
  CHECK(SetEnvironmentVariableA("=Z:", home.c_str()) != 0);
  CHECK(_chdir("C:\\windows") == 0);
  std::memset(asogm, 0, sizeof asogm);
  load();
  CHECK(loaded());
  CHECK(text(asogstate.curdir) == home);
  CHECK(text(asogstate.datadir) == home);
  finddatadir(unifacstate, err);  // its previous answer lies on C:
  CHECK(text(unifacstate.curdir) == "C:\\windows");
  finddatadir(munifacstate, err);  // first call
  CHECK(text(munifacstate.curdir) == "C:\\windows");

  // A previous answer on a drive that does not exist (GetDriveTypeA: no root directory):
  // curdir becomes blanks, and the data path is the file name alone.
  asogstate.curdir[0] = 'q';
  load();
  CHECK(blanks(asogstate.curdir));
  CHECK(text(asogstate.datapath) == "\\asog.nam");
  CHECK(ierr == 1);  // no asog.nam in the root of C:
  load();            // from blanks: the process's current directory again
  CHECK(text(asogstate.curdir) == "C:\\windows");

  // place.dat naming the directory unquoted, with a trailing backslash: two backslashes
  // before the file name, which Windows takes as one.
  CHECK(_chdir(home.c_str()) == 0);
  put("place.dat", home + "\\ other words\r\n");
  load();
  CHECK(loaded());
  CHECK(text(asogstate.datadir) == home + "\\");
  CHECK(text(asogstate.datapath) == home + "\\\\prm.aso");
  // A leading comma keeps that directory, also from another current directory: from a
  // subdirectory whose own place.dat begins with a comma, the files are still found in
  // the directory that the previous call took.
  _mkdir("other");
  put("other\\place.dat", ",\r\n");
  CHECK(_chdir("other") == 0);
  load();
  CHECK(loaded());
  CHECK(text(asogstate.datadir) == home + "\\");
  CHECK(_chdir(home.c_str()) == 0);

  // Paths of the ANSI calls: 260 characters at most.
  CHECK(maxpath == MAX_PATH);
  std::memset(asogstate.datadir, ' ', maxpath);
  std::memset(asogstate.datadir, 'x', maxpath - 9);
  mkdatapath(asogstate, "\\asog.nam", err);
  CHECK(err == 0);
  asogstate.datadir[maxpath - 9] = 'x';
  mkdatapath(asogstate, "\\asog.nam", err);
  CHECK(err == 1);

  // Only disk files are read. Windows has no FIFO in a directory, but a data directory of
  // "\\.\pipe" (no trailing backslash, so that the data path is exactly a pipe's name)
  // makes every data path name a pipe; the test creates the pipe of the file name and
  // never writes to it, so a loader that opened it would wait for ever in its first read.
  // Covered: the component files of the three loaders (through the loads) and their
  // parameter files (through their parameter stages, since the component file in that
  // directory would fail first): each fails as a file that cannot be opened, with the
  // path as Windows opens it. Not covered: a "place.dat" that is no disk file, which a
  // directory cannot hold on Windows, and the console (the test may run without one);
  // NUL, a character device, is refused by the open itself.
  {
    const std::string pipes = "\\\\.\\pipe";
    put("place.dat", pipes + "\r\n");
    double qk[maxgrp], rk[maxgrp], nuk[maxgrp * maxcomp], amn[maxgrp * maxgrp],
        bmn[maxgrp * maxgrp], cmn[maxgrp * maxgrp];
    const struct {
      const char* file;
      int run;  // 0-2: loadasog, loadmunifac, loadunifac; 3-5: their parameter stages
    } cases[] = {{"asog.nam", 0}, {"m-unifac.nam", 1}, {"unifac.nam", 2},
                 {"prm.aso", 3},  {"modunifac.par", 4}, {"unifac.par", 5}};
    for (const auto& c : cases) {
      const std::string path = pipes + "\\" + c.file;
      HANDLE srv = CreateNamedPipeA(path.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT,
                                    1, 4096, 4096, 0, nullptr);
      CHECK(srv != INVALID_HANDLE_VALUE);
      err = -1;
      const std::string msg = stderrof([&] {
        switch (c.run) {
          case 0:
            loadasog(1, ids, ng, fhsize, nuasog, asogm, asogn, err);
            break;
          case 1:
            loadmunifac(1, ids, ng, qk, rk, nuk, amn, bmn, cmn, err);
            break;
          case 2:
            loadunifac(1, ids, ng, qk, rk, nuk, amn, err);
            break;
          case 3:  // the loads above left "\\.\pipe" in each loader's datadir
            readprmaso(asogstate, 0, asogm, asogn, err);
            break;
          case 4:
            readunifpar(munifacstate, "\\modunifac.par", 0, qk, rk, amn, bmn, cmn, err);
            break;
          default:
            readunifpar(unifacstate, "\\unifac.par", 0, qk, rk, amn, err);
            break;
        }
      });
      const std::string want = "corvane: " + path + ": cannot be opened\n";
      CHECK(err == 1);
      CHECK(msg == want);
      if (msg != want) std::printf("  got: %s", msg.c_str());
      CloseHandle(srv);
    }
    std::remove("place.dat");
    const char nul[maxpath + 1] = "NUL";
    std::FILE* f = openread(nul);
    CHECK(f == nullptr);
    if (f != nullptr) std::fclose(f);
  }

  _chdir("..");
  std::system(("rmdir /s /q \"" + work + "\"").c_str());
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
