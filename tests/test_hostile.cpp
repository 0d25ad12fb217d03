// Hostile data files: zero bytes inside values, data files that are no regular files
// (a FIFO, a link to an endless device), and the paths that diagnostics name.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "asogpar.h"
#include "loaderfix.h"
#include "loaders.h"
#include "uniffix.h"
#include "unifpar.h"

namespace corvane::testing {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

constexpr aslot ae{0, 0.0};
constexpr uslot ue{0, 0, 0.0};

enum loader { asog, munifac, unifac };

// A regular expression that matches s and nothing else.
std::string exactly(const std::string& s) {
  std::string r = "^";
  for (char c : s) {
    if (std::string(".[]()*+?{}|^$\\").find(c) != std::string::npos) r += '\\';
    r += c;
  }
  return r + "$";
}

// Every loader's files, intact: ASOG record 1 of group 4; UNIFAC-family record 1 of
// subgroups 1 (main group 1) and 14 (main group 5).
class hostile : public tempdir {
 protected:
  std::map<std::string, std::string> good;
  std::int32_t ids[maxcomp] = {1};
  std::int32_t ng = -7;
  std::int32_t ierr = -7;
  double fhsize[maxgrp], nuasog[maxgrp * maxcomp], asogm[maxgrp * maxgrp], asogn[maxgrp * maxgrp];
  double qk[maxgrp], rk[maxgrp], nuk[maxgrp * maxcomp], amn[maxgrp * maxgrp], bmn[maxgrp * maxgrp],
      cmn[maxgrp * maxgrp];

  void SetUp() override {
    tempdir::SetUp();
    const std::string unif = unifrec({{1, 1, 1.0}, {5, 14, 1.0}, ue, ue, ue, ue, ue});
    const std::vector<std::string> subs = {sline("1", "CH3", "0.9011", "0.848"),
                                           sline("14", "OH", "1.0", "1.2")};
    good = {{"asog.nam", asogrec(1.0, {{4, 1.0}, ae, ae, ae, ae, ae, ae})},
            {"prm.aso", prmaso()},
            {"m-unifac.nam", unif},
            {"unifac.nam", unif},
            {"modunifac.par", parfile({mline("1", "5", "1", "2", "3", "4", "5", "6")}, subs)},
            {"unifac.par", parfile({uline("1", "5", "100.0", "200.0")}, subs)}};
    for (const auto& f : good) put(f.first, f.second);
  }

  // The file name back to its intact content (place.dat: absent).
  void restore(const std::string& name) {
    std::remove(name.c_str());
    if (good.count(name) != 0) put(name, good[name]);
  }

  // One load of component 1.
  void run(loader l) {
    ng = -7;
    ierr = -7;
    switch (l) {
      case asog:
        loadasog(1, ids, ng, fhsize, nuasog, asogm, asogn, ierr);
        break;
      case munifac:
        loadmunifac(1, ids, ng, qk, rk, nuk, amn, bmn, cmn, ierr);
        break;
      case unifac:
        loadunifac(1, ids, ng, qk, rk, nuk, amn, ierr);
        break;
    }
  }

  // The same, with its standard error.
  std::string load(loader l) {
    CaptureStderr();
    run(l);
    return GetCapturedStderr();
  }

  // The load of the intact files succeeded.
  bool loaded(loader l) {
    if (l == asog) return ierr == 0 && ng == 1 && asogm[0] == mval(4, 4) && asogn[0] == nval(4, 4);
    return ierr == 0 && ng == 2 && rk[1] == 1.0 && qk[1] == 1.2;
  }

  // Ends a child process with the outcome of one load under a time limit of 5 seconds,
  // which ends a load that blocks or reads for ever: 0 loaded, 1 failed, 2 neither.
  [[noreturn]] void limited(loader l) {
    alarm(5);
    run(l);
    std::_Exit(loaded(l) ? 0 : ierr == 1 ? 1 : 2);
  }
};

// A file in the directory of the tests, as its diagnostics name it.
std::string named(const std::string& dir, const std::string& file) {
  return "corvane: " + dir + "/" + file + ": ";
}

// A numeric value holding a zero byte is no number: the count of a UNIFAC-family file,
// the group number on line 2 of a selected ASOG block, one of its 86 numbers. The
// diagnostic names the file and the line, and shows the value whole, the zero byte as
// \0. A zero byte in a fixed-column field is no number either.
TEST_F(hostile, ZeroByteInANumber) {
  const std::string z(1, '\0');
  const std::string nums = prmnumbers(4);
  const std::string rest = nums.substr(nums.find(' '));  // numbers 2 to 86
  auto block = [&](const std::string& line2, const std::string& first) {
    std::string s;
    for (int g = 1; g <= nasoggrp; ++g) {
      s += g == 4 ? "x\n" + line2 + "\n" + first + rest : prmblock(g);
    }
    return s;
  };
  const std::string s1 = sline("1", "CH3", "0.9011", "0.848");
  const std::string s14 = sline("14", "OH", "1.0", "1.2");
  struct {
    loader l;
    const char* file;
    std::string content;
    std::string message;  // after the file's name
  } cases[] = {
      {asog, "prm.aso", block("4 'G4'", "1.0" + z + "023e2"),
       "line 36: \"1.0\\0023e2\" is not a number"},
      {asog, "prm.aso", block("4 'G4'", z + "5"), "line 36: \"\\05\" is not a number"},
      {asog, "prm.aso", block("4 'G4'", "5" + z), "line 36: \"5\\0\" is not a number"},
      {asog, "prm.aso", block("4" + z + "9 'G4'", "1.5"),
       "line 35: \"4\\09\" is not the group's number"},
      {unifac, "unifac.par", "0\n1" + z + "2\n" + s1 + "\n" + s14 + "\n",
       "line 2: the count of subgroup lines, \"1\\02\", is not an integer"},
      {munifac, "modunifac.par",
       "\n1" + z + "1\n" + mline("1", "5", "1", "2", "3", "4", "5", "6") + "\n2\n" + s1 + "\n" +
           s14 + "\n",
       "line 2: the count of interaction lines, \"1\\01\", is not an integer"},
      {unifac, "unifac.par", "0\n2\n" + s1 + "\n" + sline("14", "OH", "1." + z + "5", "1.2") + "\n",
       "line 4: the field that begins in column 15 is not a number"},
  };
  for (const auto& c : cases) {
    put(c.file, c.content);
    EXPECT_EQ(load(c.l), named(dir, c.file) + c.message + "\n") << c.message;
    EXPECT_EQ(ierr, 1) << c.message;
    restore(c.file);
  }
}

// Text that may hold anything stays free of the rule: the line never read, a name, the
// rest of a line after its last value, a block the list does not select, the name
// columns of a subgroup line.
TEST_F(hostile, ZeroBytesInTextLoad) {
  const std::string z(1, '\0');
  std::string prm;
  for (int g = 1; g <= nasoggrp; ++g) {
    if (g == 4) {
      prm += "line 1" + z + "\n4 'G" + z + "4' rest" + z + "\n" + prmnumbers(4);
      prm.insert(prm.size() - 1, " " + z + "after the 86th");
    } else if (g == 5) {
      prm += "5 G" + z + "5\n" + z + "\n" + std::string(9, '\n');
    } else {
      prm += prmblock(g);
    }
  }
  put("prm.aso", prm);
  EXPECT_EQ(load(asog), "");
  EXPECT_TRUE(loaded(asog));

  std::string b = good["prm.aso"];
  b.replace(b.find("'G4'"), 4, "G" + z + "4");  // unquoted
  put("prm.aso", b);
  EXPECT_EQ(load(asog), "");
  EXPECT_TRUE(loaded(asog));

  put("unifac.par", "0 " + z + "\n2 " + z + "junk\n" +
                        sline("1", "CH3", "0.9011", "0.848").replace(7, 1, z) + "\n" +
                        sline("14", "O" + z + "H", "1.0", "1.2") + "\n");
  EXPECT_EQ(load(unifac), "");
  EXPECT_TRUE(loaded(unifac));
}

// A count of INT32_MAX in a file of a few lines fails as a file that ends early.
TEST_F(hostile, LargestCountEndsEarly) {
  put("unifac.par", "2147483647\n" + uline("1", "5", "100.0", "200.0") + "\n");
  EXPECT_EQ(load(unifac),
            named(dir, "unifac.par") +
                "the file ends after line 2, before interaction line 2 of 2147483647\n");
  put("unifac.par", "0\n2147483647\n");
  EXPECT_EQ(load(unifac), named(dir, "unifac.par") +
                              "the file ends after line 2, before subgroup line 1 of 2147483647\n");
  EXPECT_EQ(ierr, 1);
}

// Makes name a FIFO or a symbolic link to the endless /dev/zero.
void special(const std::string& name, bool fifo) {
  std::remove(name.c_str());
  if (fifo) {
    ASSERT_EQ(mkfifo(name.c_str(), 0600), 0) << name;
  } else {
    ASSERT_EQ(symlink("/dev/zero", name.c_str()), 0) << name;
  }
}

// Only regular files are read. A component or parameter file that is a FIFO or a link to
// /dev/zero fails as a file that cannot be opened; a place.dat that is one counts as
// absent, and the data directory is the current directory. Each load runs in a child
// process with a time limit, so that an open that blocks or a read that never ends
// fails the test instead of hanging it.
TEST_F(hostile, OnlyRegularFilesAreRead) {
  const struct {
    loader l;
    const char* file;
  } cases[] = {{asog, "asog.nam"},         {asog, "prm.aso"},      {munifac, "m-unifac.nam"},
               {munifac, "modunifac.par"}, {unifac, "unifac.nam"}, {unifac, "unifac.par"}};
  for (bool fifo : {true, false}) {
    for (const auto& c : cases) {
      special(c.file, fifo);
      EXPECT_EXIT(limited(c.l), ::testing::ExitedWithCode(1),
                  exactly(named(dir, c.file) + "cannot be opened\n"))
          << c.file << (fifo ? " as a FIFO" : " as /dev/zero");
      restore(c.file);
    }
    special("place.dat", fifo);
    for (loader l : {asog, munifac, unifac}) {
      EXPECT_EXIT(limited(l), ::testing::ExitedWithCode(0), "^$")
          << "place.dat" << (fifo ? " as a FIFO" : " as /dev/zero");
    }
    restore("place.dat");
  }
}

// A place.dat whose read reports an error gives the current directory (a directory
// opened as a stream reports one on its first read).
TEST_F(hostile, PlaceDatReadErrorGivesTheCurrentDirectory) {
  std::FILE* f = std::fopen(dir.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  textfile t;
  opentext(t, f, "place.dat");
  std::memset(asogstate.curdir, ' ', maxpath);
  std::memcpy(asogstate.curdir, "/cur", 4);
  std::memset(asogstate.datadir, 'x', maxpath);
  CaptureStderr();
  readplace(t, asogstate, ierr);
  EXPECT_EQ(GetCapturedStderr(), "");
  std::fclose(f);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(text(asogstate.datadir), "/cur");
}

// A stream that gives the bytes of text and then reports a read error.
struct failing {
  std::string text;
  std::size_t pos;
};

ssize_t failread(void* cookie, char* buf, std::size_t n) {
  failing& f = *static_cast<failing*>(cookie);
  if (f.pos == f.text.size()) {
    errno = EIO;
    return -1;
  }
  const std::size_t k = std::min(n, f.text.size() - f.pos);
  std::memcpy(buf, f.text.data() + f.pos, k);
  f.pos += k;
  return static_cast<ssize_t>(k);
}

// A read error names the line after which it came, wherever it stops a read of prm.aso
// (group 4 selected) or of a UNIFAC-family parameter file: at the start of a line or
// inside one, in a skipped block, among the values, in the rest of a line after its
// last value.
TEST_F(hostile, ReadErrorNamesTheLine) {
  const std::string prm = prmaso();
  auto upto = [&](std::size_t n) {  // the first n lines of prm.aso
    std::size_t cut = 0;
    for (std::size_t r = 0; r < n; ++r) cut = prm.find('\n', cut) + 1;
    return prm.substr(0, cut);
  };
  const std::string line36 = upto(36).substr(upto(35).size());
  const std::string line44 = upto(44).substr(upto(43).size());
  const struct {
    bool asogfile;
    std::string text;
    int line;
  } cases[] = {
      {true, "", 0},                                                       // block 1, skipped
      {true, upto(13), 13},                                                // block 2, skipped
      {true, upto(35) + line36.substr(0, line36.find(' ') + 1), 36},       // a number
      {true, upto(33) + "x\n4 'G4' rest", 35},                             // after the name
      {true, upto(43) + line44.substr(0, line44.size() - 1) + " rest", 44},  // after the 86th
      {false, "", 0},                                                      // a count
      {false, "1 rest", 1},                                                // after a count
      {false, "1\n  1  5", 2},                                             // inside a line
      {false, "0\n1\n", 2},                                                // a line
  };
  for (const auto& c : cases) {
    failing src{c.text, 0};
    std::FILE* f = fopencookie(&src, "r", {failread, nullptr, nullptr, nullptr});
    ASSERT_NE(f, nullptr);
    textfile t;
    opentext(t, f, "x.dat");
    ierr = -7;
    CaptureStderr();
    if (c.asogfile) {
      loaderstate st{};
      st.grplist[0] = 4;
      readprmblocks(t, st, 1, asogm, asogn, ierr);
    } else {
      readparlines(t, unifpar, ierr);
    }
    EXPECT_EQ(GetCapturedStderr(), "corvane: x.dat: read error after line " +
                                       std::to_string(c.line) + "\n")
        << c.text.substr(c.text.size() < 40 ? 0 : c.text.size() - 40);
    EXPECT_EQ(ierr, 1);
    std::fclose(f);
  }
}

// A diagnostic names the path as it was opened: on POSIX with '/' where the data path
// has the backslash before the file name. Component files (a record past the end, too
// many groups) and parameter files.
TEST_F(hostile, DiagnosticsNameThePathAsOpened) {
  ids[0] = 9;
  EXPECT_EQ(load(asog), named(dir, "asog.nam") + "record 9: past the end of the file\n");
  ids[0] = 1;
  std::string many;
  for (int i = 0; i < 5; ++i) {
    uslot s[nslot];
    for (int k = 0; k < nslot; ++k) s[k] = {1, 1 + 7 * i + k, 1.0};
    many += unifrec(s);
    ids[i] = i + 1;
  }
  put("unifac.nam", many);
  CaptureStderr();
  loadunifac(5, ids, ng, qk, rk, nuk, amn, ierr);
  EXPECT_EQ(
      GetCapturedStderr(),
      named(dir, "unifac.nam") + "the chosen components have 35 distinct groups, more than 30\n");
  ids[0] = 1;
  std::remove("prm.aso");
  EXPECT_EQ(load(asog), named(dir, "prm.aso") + "cannot be opened\n");
  put("modunifac.par", "x\n");
  EXPECT_EQ(load(munifac),
            named(dir, "modunifac.par") +
                "line 1: the count of interaction lines, \"x\", is not an integer\n");
}

}  // namespace
}  // namespace corvane::testing
