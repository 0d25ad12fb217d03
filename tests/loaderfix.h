// Fixture files for the loader tests: a fresh temporary directory that becomes the
// current directory, files written into it, and component records built byte by byte.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "stage.h"
#include "support.h"

namespace corvane::testing {

// Little-endian bytes of a 32-bit integer and of a double.
inline std::string le32(std::int32_t v) {
  std::uint32_t u;
  std::memcpy(&u, &v, 4);
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(u >> (8 * i) & 0xff);
  return s;
}

inline std::string le64(double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, 8);
  std::string s(8, '\0');
  for (int i = 0; i < 8; ++i) s[i] = static_cast<char>(u >> (8 * i) & 0xff);
  return s;
}

struct aslot {
  std::int32_t key;
  double nu;
};

struct uslot {
  std::int32_t main;
  std::int32_t sub;
  double nu;
};

// One asogrec of 544 bytes: size fh and the seven slots; the unused fields and the rest
// of the record hold other bytes, since the reader must not look at them.
inline std::string asogrec(double fh, const aslot (&s)[nslot]) {
  std::string r = le32(12345) + std::string(40, 'n') + le64(fh);
  for (const aslot& x : s) r += le32(x.key) + le64(x.nu);
  r += std::string(asoglen - asogdata, '\xa5');
  return r;
}

// One unifrec of 624 bytes.
inline std::string unifrec(const uslot (&s)[nslot]) {
  std::string r = le32(-7) + std::string(40, 'n');
  for (const uslot& x : s) r += le32(x.main) + le32(x.sub) + le64(x.nu);
  r += std::string(uniflen - unifdata, '\x5a');
  return r;
}

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

// The text of a maxpath buffer without its trailing blanks.
inline std::string text(const char (&buf)[maxpath]) {
  int n = maxpath;
  while (n > 0 && buf[n - 1] == ' ') --n;
  return std::string(buf, static_cast<std::size_t>(n));
}

}  // namespace corvane::testing
