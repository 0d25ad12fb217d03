// The data directory from "place.dat" or the current directory, and the data paths.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "loaderfix.h"
#include "stage.h"

namespace corvane::testing {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

class datadir : public tempdir {
 protected:
  std::int32_t ierr = -99;

  // finddatadir on the ASOG loader's buffers, with its stderr.
  std::string find(loaderstate& st = asogstate) {
    CaptureStderr();
    finddatadir(st, ierr);
    return GetCapturedStderr();
  }
};

// A diagnostic is one line that names the file.
void expectdiag(const std::string& err, const std::string& file) {
  EXPECT_NE(err.find(file), std::string::npos) << err;
  ASSERT_FALSE(err.empty());
  EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
}

TEST_F(datadir, NoPlaceDatGivesTheCurrentDirectory) {
  std::string err = find();
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(err, "");
  EXPECT_EQ(text(asogstate.curdir), dir);
  EXPECT_EQ(std::memcmp(asogstate.datadir, asogstate.curdir, maxpath), 0);
  mkdatapath(asogstate, "\\asog.nam", ierr);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(text(asogstate.datapath), dir + "\\asog.nam");
}

// The first value of place.dat, quoted or not, over any line ends.
TEST_F(datadir, FirstValueOfPlaceDat) {
  struct {
    const char* content;
    const char* want;
  } cases[] = {
      {"'/a b/c' rest\n", "/a b/c"},
      {"\"/a b\" 'x'\n", "/a b"},
      {"'it''s' x\n", "it's"},
      {"\"say \"\"hi\"\"\"\n", "say \"hi\""},
      {"\"it's\"\n", "it's"},
      {"'a\"b'\n", "a\"b"},
      {"'a,b/c d'\n", "a,b/c d"},
      {"'ab\ncd'\n", "abcd"},
      {"'ab\r\ncd'\r\n", "abcd"},
      {"'ab\n\ncd' x\n", "abcd"},
      {"data rest\n", "data"},
      {"data,rest\n", "data"},
      {"data/rest\n", "data"},
      {"data\trest\n", "data"},
      {"data", "data"},
      {"data\r\n", "data"},
      {"da\rta\n", "da\rta"},
      {"\n\n \t\n   data other\nnext\n", "data"},
      {"\r\n\r\ndata\r\n", "data"},
      {"C:\\data\\ x\n", "C:\\data\\"},
      {"C:\\my'dir x\n", "C:\\my'dir"},
      {"'' next\n", ""},
  };
  for (const auto& c : cases) {
    put("place.dat", c.content);
    std::memset(&asogstate, 0, sizeof asogstate);
    std::string err = find();
    EXPECT_EQ(ierr, 0) << c.content;
    EXPECT_EQ(err, "") << c.content;
    EXPECT_EQ(text(asogstate.datadir), c.want) << c.content;
    // The buffer rule: the value, then blanks to the end.
    std::size_t n = std::strlen(c.want);
    for (int i = static_cast<int>(n); i < maxpath; ++i) ASSERT_EQ(asogstate.datadir[i], ' ');
  }
}

// A comma or slash before any value keeps the previous call's data directory.
TEST_F(datadir, LeadingCommaOrSlashKeepsThePreviousDirectory) {
  for (const char* content : {",/other\n", "/other\n", "  \n\t, 'x'\n", " ,\n"}) {
    placedir("/first");
    std::memset(&asogstate, 0, sizeof asogstate);
    find();
    ASSERT_EQ(ierr, 0);
    put("place.dat", content);
    std::string err = find();
    EXPECT_EQ(ierr, 0) << content;
    EXPECT_EQ(err, "");
    EXPECT_EQ(text(asogstate.datadir), "/first") << content;
  }
}

// On a loader's first call there is no previous directory: a failure.
TEST_F(datadir, LeadingCommaOnTheFirstCallFails) {
  put("place.dat", ", x\n");
  std::string err = find();
  EXPECT_EQ(ierr, 1);
  expectdiag(err, "place.dat");
  for (char c : asogstate.datadir) ASSERT_EQ(c, '\0');
}

// The failures that end the call: no value, a quote without its closing mark, a
// directory that does not fit, a zero character.
TEST_F(datadir, PlaceDatFailures) {
  const std::string toolong = "'" + std::string(maxpath + 1, 'd') + "'";
  const std::string cases[] = {"", "  \n\t\n\r\n", "'unclosed\n", "\"unclosed''\n", toolong,
                               std::string("'a\0b'\n", 6)};
  for (const std::string& content : cases) {
    put("place.dat", content);
    placedir("/before");
    std::memset(&asogstate, 0, sizeof asogstate);
    find();
    put("place.dat", content);
    std::string err = find();
    EXPECT_EQ(ierr, 1) << content;
    expectdiag(err, "place.dat");
    EXPECT_EQ(text(asogstate.datadir), "/before");
  }
}

// A data directory of exactly maxpath characters fits.
TEST_F(datadir, DirectoryOfMaxpathCharactersFits) {
  const std::string d(maxpath, 'd');
  put("place.dat", "'" + d + "'");
  find();
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(std::string(asogstate.datadir, maxpath), d);
}

// A place.dat that is a directory is no regular file: it counts as absent, and the data
// directory is curdir. (The read-error branch is tested on a stream in test_hostile.cpp.)
TEST_F(datadir, DirectoryNamedPlaceDatGivesTheCurrentDirectory) {
  ASSERT_EQ(mkdir("place.dat", 0700), 0);
  std::string err = find();
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(err, "");
  EXPECT_EQ(text(asogstate.datadir), dir);
}

// A current directory the platform cannot give makes curdir blanks; as the data
// directory it leaves the file name alone in the path.
TEST_F(datadir, LostCurrentDirectoryGivesBlanks) {
  ASSERT_EQ(mkdir("gone", 0700), 0);
  ASSERT_EQ(chdir("gone"), 0);
  ASSERT_EQ(rmdir((dir + "/gone").c_str()), 0);
  find();
  EXPECT_EQ(ierr, 0);
  for (char c : asogstate.curdir) ASSERT_EQ(c, ' ');
  EXPECT_EQ(std::memcmp(asogstate.datadir, asogstate.curdir, maxpath), 0);
  mkdatapath(asogstate, "\\asog.nam", ierr);
  EXPECT_EQ(text(asogstate.datapath), "\\asog.nam");
}

// A previous answer beginning with a letter asks for that drive's current directory;
// this platform has no drives, so curdir becomes blanks. The next call, starting from a
// blank, asks for the process's current directory again.
TEST_F(datadir, DriveLetterWithoutDrives) {
  std::memcpy(asogstate.curdir, "c:\\old", 6);
  find();
  EXPECT_EQ(ierr, 0);
  for (char c : asogstate.curdir) ASSERT_EQ(c, ' ');
  find();
  EXPECT_EQ(text(asogstate.curdir), dir);
}

// curdir is looked up on every call, also when place.dat names the directory.
TEST_F(datadir, CurdirIsRefreshedOnEveryCall) {
  placedir("/data");
  find();
  EXPECT_EQ(text(asogstate.curdir), dir);
  ASSERT_EQ(mkdir("sub", 0700), 0);
  ASSERT_EQ(chdir("sub"), 0);
  find();
  EXPECT_EQ(text(asogstate.curdir), dir + "/sub");
  EXPECT_EQ(text(asogstate.datadir), dir + "/sub");  // no place.dat in sub
}

// The three loaders keep separate buffers: a directory that one loader took from
// place.dat does not serve as another loader's previous directory.
TEST_F(datadir, LoadersKeepSeparateBuffers) {
  placedir("/asog");
  find(asogstate);
  put("place.dat", ",\n");
  find(asogstate);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(text(asogstate.datadir), "/asog");
  std::string err = find(unifacstate);
  EXPECT_EQ(ierr, 1);
  expectdiag(err, "place.dat");
  find(munifacstate);
  EXPECT_EQ(ierr, 1);
  std::memcpy(munifacstate.curdir, "q:", 2);
  find(asogstate);
  EXPECT_EQ(text(asogstate.curdir), dir);
}

// The literal is appended whole, its backslash included, after the directory without
// its trailing blanks; a path longer than maxpath fails and datapath stays as it was.
TEST_F(datadir, DataPaths) {
  auto setdir = [](const std::string& d) {
    std::memset(asogstate.datadir, ' ', maxpath);
    std::memcpy(asogstate.datadir, d.data(), d.size());
  };
  std::int32_t ierr = -99;
  setdir("C:\\data\\");
  mkdatapath(asogstate, "\\asog.nam", ierr);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(text(asogstate.datapath), "C:\\data\\\\asog.nam");

  setdir(std::string(maxpath - 9, 'x'));
  mkdatapath(asogstate, "\\asog.nam", ierr);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(std::string(asogstate.datapath, maxpath), std::string(maxpath - 9, 'x') + "\\asog.nam");

  const std::string before(asogstate.datapath, maxpath);
  setdir(std::string(maxpath - 8, 'x'));
  CaptureStderr();
  mkdatapath(asogstate, "\\asog.nam", ierr);
  std::string err = GetCapturedStderr();
  EXPECT_EQ(ierr, 1);
  expectdiag(err, "asog.nam");
  EXPECT_EQ(std::string(asogstate.datapath, maxpath), before);

  setdir(std::string(maxpath, 'x'));
  CaptureStderr();
  mkdatapath(asogstate, "\\prm.aso", ierr);
  expectdiag(GetCapturedStderr(), "prm.aso");
  EXPECT_EQ(ierr, 1);
}

}  // namespace
}  // namespace corvane::testing
