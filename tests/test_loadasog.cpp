// loadasog: the whole load, its parameter file "prm.aso" and its failures.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "actcoef.h"
#include "loaderfix.h"
#include "loaders.h"
#include "view.h"

namespace corvane::testing {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

constexpr aslot e{0, 0.0};

// Sentinel of an output entry that the load must not touch.
double sentinel(int pos) { return 1000.0 + pos; }

class loadasogtest : public tempdir {
 protected:
  std::int32_t ids[maxcomp] = {};
  std::int32_t ng = -7;
  std::int32_t ierr = -7;
  double fhsize[maxgrp];
  double nuasog[maxgrp * maxcomp];
  double asogm[maxgrp * maxgrp];
  double asogn[maxgrp * maxgrp];

  void SetUp() override {
    tempdir::SetUp();
    reset();
  }

  // Outputs back to their sentinels, the loaders' states as at load.
  void reset() {
    std::memset(&asogstate, 0, sizeof asogstate);
    for (int a = 0; a < maxgrp; ++a) fhsize[a] = sentinel(a);
    for (int a = 0; a < maxgrp * maxcomp; ++a) nuasog[a] = sentinel(a);
    for (int a = 0; a < maxgrp * maxgrp; ++a) asogm[a] = sentinel(a), asogn[a] = -sentinel(a);
  }

  std::string load(std::int32_t nc) {
    CaptureStderr();
    loadasog(nc, ids, ng, fhsize, nuasog, asogm, asogn, ierr);
    return GetCapturedStderr();
  }

  // The pair matrices after a load of the groups g(1..n): the file's values in rows and
  // columns 1..n, zeros in the rest of the cleared corner, the sentinels elsewhere.
  void expectpairs(const std::vector<int>& g) {
    const int n = static_cast<int>(g.size());
    auto am = mat<maxgrp>(asogm);
    auto an = mat<maxgrp>(asogn);
    for (int l = 1; l <= maxgrp; ++l) {
      for (int j = 1; j <= maxgrp; ++j) {
        int pos = (l - 1) * maxgrp + (j - 1);
        if (j <= n && l <= n) {
          ASSERT_EQ(am(j, l), mval(g[j - 1], g[l - 1])) << j << "," << l;
          ASSERT_EQ(an(j, l), nval(g[j - 1], g[l - 1])) << j << "," << l;
        } else if (j <= nslot && l <= nslot) {
          ASSERT_EQ(am(j, l), 0.0) << j << "," << l;
          ASSERT_EQ(an(j, l), 0.0) << j << "," << l;
        } else {
          ASSERT_EQ(am(j, l), sentinel(pos)) << j << "," << l;
          ASSERT_EQ(an(j, l), -sentinel(pos)) << j << "," << l;
        }
      }
    }
  }

  // The pair matrices as clearout leaves them: zero corner, sentinels elsewhere.
  void expectcleared() { expectpairs({}); }

  // A file whose block g is replaced by text.
  std::string prmwith(int g, const std::string& block) {
    std::string s;
    for (int b = 1; b <= nasoggrp; ++b) s += b == g ? block : prmblock(b);
    return s;
  }

  // Block 4 with the second number of its line 3 replaced by text.
  static std::string block4with(const std::string& what) {
    std::string b = prmblock(4);
    const std::size_t l3 = b.find('\n', b.find('\n') + 1) + 1;  // start of line 3
    const std::size_t sp = b.find(' ', l3);
    const std::size_t end = b.find(' ', sp + 1);
    return b.replace(sp + 1, end - sp - 1, what);
  }
};

// Groups 1, 3 and 5: blocks 1, 3 and 5 fill rows 1, 2 and 3.
TEST_F(loadasogtest, ThreeGroupExample) {
  put("asog.nam", asogrec(3.0, {{3, 2.0}, {1, 1.0}, e, e, e, e, e}) +
                      asogrec(2.0, {{1, 1.0}, e, e, {5, 3.0}, e, e, e}));
  put("prm.aso", prmaso());
  ids[0] = 1;
  ids[1] = 2;
  std::string err = load(2);
  ASSERT_EQ(ierr, 0);
  EXPECT_EQ(err, "");
  EXPECT_EQ(ng, 3);
  expectpairs({1, 3, 5});
  EXPECT_EQ(mat<maxgrp>(asogm)(2, 3), mval(3, 5));
  EXPECT_EQ(mat<maxgrp>(asogn)(3, 2), nval(5, 3));
  EXPECT_EQ(fhsize[0], 3.0);
  EXPECT_EQ(fhsize[1], 2.0);
  for (int i = 3; i <= maxcomp; ++i) EXPECT_EQ(fhsize[i - 1], 0.0);
  for (int i = maxcomp + 1; i <= maxgrp; ++i) EXPECT_EQ(fhsize[i - 1], sentinel(i - 1));
  auto nu = mat<maxgrp>(nuasog);
  const double want[2][3] = {{1.0, 2.0, 0.0}, {1.0, 0.0, 3.0}};
  for (int i = 1; i <= 2; ++i) {
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(nu(j, i), want[i - 1][j - 1]);
  }
  EXPECT_EQ(nu(4, 2), 3.0);  // rows above ng: the counts by slot
  EXPECT_EQ(nu(8, 1), sentinel(7));
}

// A single group, group 43 (the last block, in a file without a final line end), and
// groups whose blocks give another number on line 2.
TEST_F(loadasogtest, SingleGroupsAndTheLastBlock) {
  std::string last = prmaso();
  last.pop_back();
  for (int g : {1, 7, 43}) {
    put("asog.nam", asogrec(1.0, {e, e, {g, 2.0}, e, e, e, e}));
    std::string block = prmblock(g);
    block.replace(block.find('\n') + 1, std::to_string(g).size(), "99");
    put("prm.aso", g == 43 ? last : prmwith(g, block));
    reset();
    ids[0] = 1;
    load(1);
    ASSERT_EQ(ierr, 0) << g;
    EXPECT_EQ(ng, 1);
    expectpairs({g});
    EXPECT_EQ(mat<maxgrp>(nuasog)(1, 1), 2.0);
  }
}

// nc = 0 still walks all 473 lines, whatever the blocks hold; 472 lines are too few.
TEST_F(loadasogtest, NoComponentsWalksTheWholeFile) {
  put("asog.nam", "");
  std::string junk;
  for (int r = 0; r < 473; ++r) junk += "'unclosed, / text\n";
  put("prm.aso", junk);
  std::string err = load(0);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(err, "");
  EXPECT_EQ(ng, 0);
  expectcleared();
  put("prm.aso", junk.substr(0, junk.size() - 18));
  err = load(0);
  EXPECT_EQ(ierr, 1);
  EXPECT_NE(err.find("prm.aso"), std::string::npos) << err;
  EXPECT_NE(err.find("line 472"), std::string::npos) << err;
}

// Unselected blocks may hold anything; selected ones may spread their numbers
// unevenly, with commas, tabs, CR LF, empty lines, exponents, and text after the 86th.
TEST_F(loadasogtest, FreeFormatSpreads) {
  put("asog.nam", asogrec(1.0, {{2, 1.0}, {9, 1.0}, {30, 1.0}, e, e, e, e}));
  std::string s;
  for (int g = 1; g <= nasoggrp; ++g) {
    if (g == 2) {  // commas, 50 numbers on line 3, lines 4 to 10 empty, 36 on line 11
      s += "x\n 2 , 'a name, with / marks' trailing\n";
      for (int v = 0; v < 86; ++v) {
        int l = v / 2 + 1;
        s += num(v % 2 == 0 ? mval(g, l) : nval(g, l)) + (v == 49 ? "\n\n\n\n\n\n\n\n" : ",");
      }
      s += " 5, 'x' / junk\n";
    } else if (g == 9) {  // tabs, CR LF, D exponents and signs, one number per line
      s += "x\r\n9\tunquoted_name\r\n";
      for (int v = 0; v < 86; ++v) {
        int l = v / 2 + 1;
        double x = v % 2 == 0 ? mval(g, l) : nval(g, l);
        char b[48];
        // exact: at most six decimals; every other one with a bare-sign exponent
        std::snprintf(b, sizeof b, v % 2 == 0 ? "%+.6fD+00" : "%+.6f-00", x);
        s += "\t" + std::string(b) + (v < 8 || v == 85 ? "\r\n" : " ");
      }
    } else if (g == 30) {
      s += prmblock(g);
    } else {
      s += "1\n2\n3\n/\n,,\n'\n\"\nxx\n4*5\n\n\n";
    }
  }
  put("prm.aso", s);
  ids[0] = 1;
  std::string err = load(1);
  ASSERT_EQ(ierr, 0) << err;
  EXPECT_EQ(ng, 3);
  expectpairs({2, 9, 30});
}

// A caller may pass one variable as nc and ng: the load counts its components from the
// value nc had on entry, though ng is rewritten on the way.
TEST_F(loadasogtest, OneVariableForTheCountAndTheGroups) {
  put("asog.nam", asogrec(1.0, {{1, 1.0}, {2, 1.0}, {3, 1.0}, {4, 1.0}, {5, 1.0}, {6, 1.0}, {7, 1.0}}) +
                      asogrec(1.0, {{8, 2.0}, {9, 2.0}, {10, 2.0}, {11, 2.0}, {12, 2.0}, {13, 2.0}, {14, 2.0}}));
  put("prm.aso", prmaso());
  ids[0] = 1;
  ids[1] = 2;
  std::int32_t both = 2;
  CaptureStderr();
  loadasog(both, ids, both, fhsize, nuasog, asogm, asogn, ierr);
  EXPECT_EQ(GetCapturedStderr(), "");
  ASSERT_EQ(ierr, 0);
  EXPECT_EQ(both, 14);
  std::vector<int> g;
  for (int k = 1; k <= 14; ++k) g.push_back(k);
  expectpairs(g);
  auto nu = mat<maxgrp>(nuasog);
  for (int j = 1; j <= 14; ++j) {
    EXPECT_EQ(nu(j, 1), j <= 7 ? 1.0 : 0.0);
    EXPECT_EQ(nu(j, 2), j <= 7 ? 0.0 : 2.0);
  }
  // Rows above ng keep their sentinels; the other columns are cleared in rows 1 to 7
  // and never re-indexed.
  expectcounts(nuasog, 2, 14, sentinel);
}

// A line end before a comma is a blank: "1<eol>,2" is two numbers, not a null value.
TEST_F(loadasogtest, CommaAfterLineEndIsASeparator) {
  put("asog.nam", asogrec(1.0, {{1, 1.0}, e, e, e, e, e, e}));
  std::string block = prmblock(1);
  std::size_t third = block.find('\n', block.find('\n') + 1) + 1;
  std::size_t eol = block.find('\n', third);
  block.insert(eol + 1, ",");
  put("prm.aso", prmwith(1, block));
  ids[0] = 1;
  load(1);
  EXPECT_EQ(ierr, 0);
  expectpairs({1});
}

// Values that are no numbers, null values, slashes, repeat counts, a file that ends:
// each fails, naming prm.aso and the line.
TEST_F(loadasogtest, ParameterFileFailures) {
  put("asog.nam", asogrec(1.0, {{4, 1.0}, e, e, e, e, e, e}));
  const std::string good = prmblock(4);
  const std::size_t l3 = good.find('\n', good.find('\n') + 1) + 1;  // start of line 3
  auto third = [](const std::string& what) { return block4with(what); };
  const std::size_t blockline = 3 * 11;  // lines before block 4
  struct {
    std::string block;
    std::size_t line;
  } cases[] = {
      {third("abc"), 3},
      {third("1.0.0"), 3},
      {third("1e"), 3},
      {third("--1"), 3},
      {third("'1.0'"), 3},
      {third("3*1.5"), 3},
      {third("1,,2"), 3},
      {third("1, ,2"), 3},
      {third("1,\n,2"), 4},
      {third("/"), 3},
      {third("inf"), 3},
      {third("nan"), 3},
      {"x\nx7 'name'\n" + good.substr(l3), 2},
      {"x\n4 \"unclosed\n" + good.substr(l3), 473 - blockline},  // runs to the end
  };
  ids[0] = 1;
  for (const auto& c : cases) {
    put("prm.aso", prmwith(4, c.block));
    reset();
    std::string err = load(1);
    EXPECT_EQ(ierr, 1) << c.block.substr(0, 80);
    EXPECT_NE(err.find("prm.aso"), std::string::npos) << err;
    std::string line = "line " + std::to_string(blockline + c.line);
    EXPECT_NE(err.find(line), std::string::npos) << err << " wanted " << line;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
  }
  // The file ending inside the selected block, or before the blocks after it.
  const std::string whole = prmaso();
  for (std::size_t lines : {std::size_t{35}, std::size_t{40}, std::size_t{100}}) {
    std::size_t cut = 0;
    for (std::size_t r = 0; r < lines; ++r) cut = whole.find('\n', cut) + 1;
    put("prm.aso", whole.substr(0, cut));
    std::string err = load(1);
    EXPECT_EQ(ierr, 1) << lines;
    EXPECT_NE(err.find("line " + std::to_string(lines)), std::string::npos) << err;
  }
  // No prm.aso.
  std::remove("prm.aso");
  std::string err = load(1);
  EXPECT_EQ(ierr, 1);
  EXPECT_NE(err.find("prm.aso"), std::string::npos) << err;
}

// The diagnostic of each way a read of prm.aso fails, word for word: block 4 selected
// (lines 34 to 44 of the file), the blocks before and after it skipped.
TEST_F(loadasogtest, ParameterFileMessagesWordForWord) {
  put("asog.nam", asogrec(1.0, {{4, 1.0}, e, e, e, e, e, e}));
  const std::string good = prmblock(4);
  const std::size_t l3 = good.find('\n', good.find('\n') + 1) + 1;  // start of line 3
  auto third = [&](const std::string& what) { return prmwith(4, block4with(what)); };
  auto lines = [](std::size_t n) {  // the first n lines of the intact file
    const std::string whole = prmaso();
    std::size_t cut = 0;
    for (std::size_t r = 0; r < n; ++r) cut = whole.find('\n', cut) + 1;
    return whole.substr(0, cut);
  };
  const std::string numbers = good.substr(l3);
  const struct {
    std::string file;
    std::string message;
  } cases[] = {
      {third("abc"), "line 36: \"abc\" is not a number"},
      {third("3*1.5"), "line 36: \"3*1.5\" is a repeat count, not a number"},
      {third("1,,2"), "line 36: a null value where a number should stand"},
      {third("/"), "line 36: a slash where a number should stand"},
      {third("\"1.5"), "the file ends after line 473, while reading a number"},
      {prmwith(4, "x\nx7 'G4'\n" + numbers), "line 35: \"x7\" is not the group's number"},
      {prmwith(4, "x\n2*4 'G4'\n" + numbers),
       "line 35: \"2*4\" is a repeat count, not the group's number"},
      {prmwith(4, "x\n4 \"G4\n" + numbers),
       "the file ends after line 473, while reading the group's name"},
      {lines(33) + "x\n4", "the file ends after line 35, while reading the group's name"},
      {lines(34), "the file ends after line 34, while reading the group's number"},
      {lines(35), "the file ends after line 35, while reading a number"},
      {lines(40), "the file ends after line 40, while reading a number"},
      {lines(33), "the file ends after line 33, inside block 4 of 11 lines"},
      {lines(100), "the file ends after line 100, inside block 10 of 11 lines"},
      {"", "the file ends after line 0, inside block 1 of 11 lines"},
  };
  ids[0] = 1;
  for (const auto& c : cases) {
    put("prm.aso", c.file);
    reset();
    EXPECT_EQ(load(1), "corvane: " + dir + "/prm.aso: " + c.message + "\n");
    EXPECT_EQ(ierr, 1) << c.message;
  }
}

// A failing record ends the load before prm.aso, which need not exist: ng and the pair
// matrices outside the cleared corner keep their values; the records read so far are
// stored by slot.
TEST_F(loadasogtest, FailingRecordNeedsNoParameterFile) {
  put("asog.nam", asogrec(2.0, {{3, 2.0}, {1, 1.0}, e, e, e, e, e}) +
                      asogrec(0.5, {{5, 4.0}, e, e, e, e, e, e}) +
                      asogrec(1.0, {{7, 1.0}, e, e, e, e, e, e}));
  ids[0] = 1;
  ids[1] = 2;
  ids[2] = 3;
  std::string err = load(3);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(err, "");
  EXPECT_EQ(ng, -7);
  expectcleared();
  EXPECT_EQ(fhsize[0], 2.0);
  EXPECT_EQ(fhsize[1], 0.5);
  EXPECT_EQ(fhsize[2], 0.0);
  auto nu = mat<maxgrp>(nuasog);
  EXPECT_EQ(nu(1, 1), 2.0);
  EXPECT_EQ(nu(2, 1), 1.0);
  EXPECT_EQ(nu(1, 2), 4.0);
  EXPECT_EQ(nu(1, 3), 0.0);
}

// More than maxgrp groups, or a group outside 1..43: the same state as a failing
// record, with a diagnostic; prm.aso is not opened. Exactly maxgrp groups load, and
// fill the whole of both pair matrices.
TEST_F(loadasogtest, TooManyGroupsAndGroupsWithoutBlock) {
  std::string f;
  for (int i = 0; i < 5; ++i) {
    aslot s[nslot];
    for (int k = 0; k < nslot; ++k) s[k] = {1 + 7 * i + k, 1.0};
    f += asogrec(1.0, s);
    ids[i] = i + 1;
  }
  put("asog.nam", f);
  std::string err = load(5);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(ng, -7);
  EXPECT_NE(err.find("asog.nam"), std::string::npos) << err;
  EXPECT_EQ(err.find("prm.aso"), std::string::npos) << err;
  expectcleared();
  EXPECT_EQ(mat<maxgrp>(nuasog)(7, 1), 1.0);  // by slot, not re-indexed

  put("asog.nam", asogrec(1.0, {{1, 1.0}, {44, 1.0}, e, e, e, e, e}));
  reset();
  err = load(1);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(ng, -7);
  EXPECT_NE(err.find("44"), std::string::npos) << err;
  expectcleared();

  f.replace(4 * asoglen, asoglen, asogrec(1.0, {{29, 1.0}, {30, 1.0}, e, e, e, e, e}));
  put("asog.nam", f);
  put("prm.aso", prmaso());
  reset();
  err = load(5);
  ASSERT_EQ(ierr, 0) << err;
  EXPECT_EQ(err, "");
  std::vector<int> g;
  for (int k = 1; k <= maxgrp; ++k) g.push_back(k);
  expectpairs(g);
}

// nc outside 0..maxcomp: ierr = 1 before anything is read or written.
TEST_F(loadasogtest, ComponentCountOutOfRange) {
  for (std::int32_t nc : {-1, maxcomp + 1, std::numeric_limits<std::int32_t>::min()}) {
    std::string err = load(nc);
    EXPECT_EQ(ierr, 1);
    EXPECT_NE(err.find("loadasog"), std::string::npos) << err;
    EXPECT_EQ(ng, -7);
    for (int a = 0; a < maxgrp; ++a) ASSERT_EQ(fhsize[a], sentinel(a));
    for (int a = 0; a < maxgrp * maxcomp; ++a) ASSERT_EQ(nuasog[a], sentinel(a));
    for (int a = 0; a < maxgrp * maxgrp; ++a) ASSERT_EQ(asogm[a], sentinel(a));
    for (char c : asogstate.curdir) ASSERT_EQ(c, '\0');  // place.dat not even looked at
  }
}

// A place.dat failure ends the load before the outputs are cleared.
TEST_F(loadasogtest, PlaceDatFailureTouchesNoOutput) {
  put("place.dat", "\n\n");
  std::string err = load(1);
  EXPECT_EQ(ierr, 1);
  EXPECT_NE(err.find("place.dat"), std::string::npos) << err;
  for (int a = 0; a < maxgrp * maxgrp; ++a) ASSERT_EQ(asogm[a], sentinel(a));
  for (int a = 0; a < maxgrp; ++a) ASSERT_EQ(fhsize[a], sentinel(a));
}

// The data directory from place.dat, ending with a backslash: the path holds two
// separators before the file name, and the files are found.
TEST_F(loadasogtest, DataDirectoryWithTrailingBackslash) {
  ASSERT_EQ(mkdir("data", 0700), 0);
  put("data/asog.nam", asogrec(1.0, {{6, 1.0}, e, e, e, e, e, e}));
  put("data/prm.aso", prmaso());
  put("place.dat", "'" + dir + "/data\\' other words\n");
  ids[0] = 1;
  load(1);
  ASSERT_EQ(ierr, 0);
  EXPECT_EQ(text(asogstate.datapath), dir + "/data\\\\prm.aso");
  expectpairs({6});
  // Unquoted, a relative directory works too.
  reset();
  put("place.dat", "data\\ rest\n");
  put("data/asog.nam", asogrec(1.0, {{8, 1.0}, e, e, e, e, e, e}));
  load(1);
  ASSERT_EQ(ierr, 0);
  expectpairs({8});
}

// Number of open file descriptors of the process.
int openfds() {
  DIR* d = opendir("/proc/self/fd");
  int n = 0;
  while (readdir(d) != nullptr) ++n;
  closedir(d);
  return n;
}

// Every file is closed again, on every path.
TEST_F(loadasogtest, FilesAreClosedOnEveryPath) {
  const int before = openfds();
  put("asog.nam", asogrec(1.0, {{4, 1.0}, e, e, e, e, e, e}) +
                      asogrec(0.0, {{4, 1.0}, e, e, e, e, e, e}));
  ids[0] = 1;
  for (int round = 0; round < 3; ++round) {
    put("place.dat", "'" + dir + "'");
    put("prm.aso", prmaso());
    load(1);  // success
    EXPECT_EQ(ierr, 0);
    put("prm.aso", prmaso().substr(0, 100));
    load(1);  // prm.aso too short
    ids[1] = 2;
    load(2);  // failing record
    ids[1] = 9;
    load(2);  // record past the end
    put("place.dat", "");
    load(1);  // empty place.dat
    put("place.dat", "'unclosed");
    load(1);
    EXPECT_EQ(ierr, 1);
  }
  EXPECT_EQ(openfds(), before);
}

// End to end: a small ASOG data set in the file formats, loaded straight into modelpar,
// evaluated by actcoef's ASOG model. Ethanol (2 CH2, 1 OH; size 3), water (1 H2O; size 1)
// and n-hexane (6 CH2; size 6), ASOG counting the atoms other than hydrogen. The group
// pairs CH2/OH are the values commonly quoted from the ASOG table of Kojima and Tochigi
// (1979); the CH2/H2O and OH/H2O pairs are illustrative values of the same size. The
// expected coefficients were derived from these same numbers by the model's equations
// in 50-digit decimal arithmetic, so the test checks the loading and the evaluation,
// not the table. The groups stand at positions 1 (CH2), 3 (OH) and 7 (H2O) of the file.
TEST_F(loadasogtest, EndToEndWithTheAsogModel) {
  const int pos[3] = {1, 3, 7};
  const char* mv[3][3] = {{"0", "-41.2503", "0.5045"}, {"4.7125", "0", "-5.8341"},
                          {"-0.2727", "2.6542", "0"}};
  const char* nv[3][3] = {{"0", "7686.4", "-2382.3"}, {"-3060.0", "0", "1582.5"},
                          {"-1010.4", "-1140.8", "0"}};
  std::string prm;
  for (int g = 1, k = 0; g <= nasoggrp; ++g) {
    if (k < 3 && g == pos[k]) {
      prm += "block of group " + std::to_string(g) + "\n" + std::to_string(g) + " 'grp'\n";
      for (int l = 1, c = 0, v = 0; l <= nasoggrp; ++l) {
        bool used = c < 3 && l == pos[c];
        prm += std::string(used ? mv[k][c] : "0") + " " + (used ? nv[k][c] : "0");
        if (used) ++c;
        prm += ++v % 5 == 0 || l == nasoggrp ? "\n" : "  ";
      }
      ++k;
    } else {
      for (int r = 0; r < 11; ++r) prm += "not read\n";
    }
  }
  put("prm.aso", prm);
  put("asog.nam", asogrec(6.0, {{1, 6.0}, e, e, e, e, e, e}) +                 // n-hexane
                      asogrec(1.0, {{7, 1.0}, e, e, e, e, e, e}) +             // water
                      asogrec(3.0, {{1, 2.0}, {3, 1.0}, e, e, e, e, e}));      // ethanol
  std::int32_t rec[maxcomp] = {3, 2, 1};
  resetrecords();
  loadasog(3, rec, modelpar.ng, modelpar.fhsize, modelpar.nuasog, modelpar.asogm,
           modelpar.asogn, ierr);
  ASSERT_EQ(ierr, 0);
  ASSERT_EQ(modelpar.ng, 3);
  EXPECT_EQ(mat<maxgrp>(modelpar.asogm)(1, 2), -41.2503);
  EXPECT_EQ(mat<maxgrp>(modelpar.asogn)(3, 2), -1140.8);

  mixstate.nc = 3;
  mixstate.model = liqasog;
  struct {
    double x[3], t, gam[3];
  } cases[] = {
      {{0.2, 0.3, 0.5}, 25.0, {2.42330670418543476, 4.82002017820090833, 1.82332673127891067}},
      {{0.6, 0.4, 0.0}, 70.0, {1.24692373832127406, 2.87166542292515208, 15.0662871273645476}},
  };
  for (const auto& c : cases) {
    double x[maxcomp] = {c.x[0], c.x[1], c.x[2]};
    double gam[maxcomp];
    for (double& g : gam) g = std::numeric_limits<double>::quiet_NaN();
    actcoef(x, c.t, gam);
    for (int i = 0; i < 3; ++i) EXPECT_LT(reldiff(gam[i], c.gam[i]), 1e-12) << i << " " << gam[i];
    for (int i = 3; i < maxcomp; ++i) EXPECT_TRUE(std::isnan(gam[i]));
  }
}

}  // namespace
}  // namespace corvane::testing
