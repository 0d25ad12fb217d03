// The loader tests' fixture: a fresh temporary directory that becomes the current
// directory, with files written into it.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "fixtures.h"
#include "stage.h"
#include "support.h"

namespace corvane::testing {

// A test that runs in its own temporary directory, the process's current directory for
// its duration; the loaders' states start as at load.
class tempdir : public ::testing::Test {
 protected:
  std::string dir;
  std::string olddir;

  void SetUp() override {
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    olddir = old;
    char tmpl[] = "/tmp/corvane-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
    ASSERT_EQ(chdir(dir.c_str()), 0);
    std::memset(&asogstate, 0, sizeof asogstate);
    std::memset(&munifacstate, 0, sizeof munifacstate);
    std::memset(&unifacstate, 0, sizeof unifacstate);
  }

  void TearDown() override {
    ASSERT_EQ(chdir(olddir.c_str()), 0);
    std::string cmd = "rm -rf '" + dir + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }

  // Writes a file (name relative to the directory).
  void put(const std::string& name, const std::string& content) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_NE(f, nullptr) << name;
    ASSERT_EQ(std::fwrite(content.data(), 1, content.size(), f), content.size());
    ASSERT_EQ(std::fclose(f), 0);
  }

  // place.dat naming the directory d between apostrophes.
  void placedir(const std::string& d) { put("place.dat", "'" + d + "'\n"); }
};

// A count table after a load of nc components whose columns 1..nc the load has written
// in rows 1..top: rows 1 to nslot of the other columns are 0, and every other entry
// keeps its sentinel s(pos) (pos: its position in the array).
template <class S>
void expectcounts(const double (&nu)[maxgrp * maxcomp], int nc, int top, S s) {
  for (int i = 1; i <= maxcomp; ++i) {
    for (int j = 1; j <= maxgrp; ++j) {
      const int pos = (i - 1) * maxgrp + (j - 1);
      if (i > nc && j <= nslot) {
        ASSERT_EQ(nu[pos], 0.0) << j << "," << i;
      } else if (j > top || i > nc) {
        ASSERT_EQ(nu[pos], s(pos)) << j << "," << i;
      }
    }
  }
}

// The text of a maxpath buffer without its trailing blanks.
inline std::string text(const char (&buf)[maxpath]) {
  int n = maxpath;
  while (n > 0 && buf[n - 1] == ' ') --n;
  return std::string(buf, static_cast<std::size_t>(n));
}

}  // namespace corvane::testing
