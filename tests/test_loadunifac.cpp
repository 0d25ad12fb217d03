// loadmunifac and loadunifac: the whole load, the parameter files "modunifac.par" and
// "unifac.par", their failures, and an end-to-end evaluation of the loaded tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "actcoef.h"
#include "loaderfix.h"
#include "loaders.h"
#include "uniffix.h"
#include "unifpar.h"
#include "view.h"

namespace corvane::testing {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

constexpr uslot e{0, 0, 0.0};

// Sentinel of an output entry that the load must not touch.
double sentinel(int pos) { return 1000.0 + pos; }

// The subgroup lines of the tests' mixtures: subgroups 1 and 2 of main group 1, 14 of
// main group 5, 16 of main group 7, with values that tell them apart.
const std::vector<std::string> subs = {
    sline("1", "CH3", "0.9011", "0.848"),
    sline("2", "CH2", "0.6744", "0.540"),
    sline("14", "OH", "1.0000", "1.200"),
    sline("16", "H2O", "0.9200", "1.400"),
};

class loadunifactest : public tempdir {
 protected:
  std::int32_t ids[maxcomp] = {};
  std::int32_t ng = -7;
  std::int32_t ierr = -7;
  double qk[maxgrp];
  double rk[maxgrp];
  double nuk[maxgrp * maxcomp];
  double amn[maxgrp * maxgrp];
  double bmn[maxgrp * maxgrp];
  double cmn[maxgrp * maxgrp];

  void SetUp() override {
    tempdir::SetUp();
    reset();
    // Record 1: subgroups 1 and 2 (main group 1); record 2: subgroup 14 (main group 5);
    // record 3: subgroup 16 (main group 7); record 4: subgroups 1, 2 and 14 (ethanol).
    const std::string recs = unifrec({{1, 1, 1.0}, {1, 2, 2.0}, e, e, e, e, e}) +
                             unifrec({{5, 14, 1.0}, e, e, e, e, e, e}) +
                             unifrec({{7, 16, 1.0}, e, e, e, e, e, e}) +
                             unifrec({{1, 1, 1.0}, {1, 2, 1.0}, {5, 14, 1.0}, e, e, e, e});
    put("unifac.nam", recs);
    put("m-unifac.nam", recs);
  }

  void reset() {
    ng = -7;
    ierr = -7;
    for (int a = 0; a < maxgrp; ++a) qk[a] = sentinel(a), rk[a] = -sentinel(a);
    for (int a = 0; a < maxgrp * maxcomp; ++a) nuk[a] = sentinel(a);
    for (int a = 0; a < maxgrp * maxgrp; ++a) {
      amn[a] = sentinel(a);
      bmn[a] = -sentinel(a);
      cmn[a] = 2 * sentinel(a);
    }
  }

  std::string uload(std::vector<std::int32_t> r) {
    for (std::size_t i = 0; i < r.size(); ++i) ids[i] = r[i];
    CaptureStderr();
    loadunifac(static_cast<std::int32_t>(r.size()), ids, ng, qk, rk, nuk, amn, ierr);
    return GetCapturedStderr();
  }

  std::string mload(std::vector<std::int32_t> r) {
    for (std::size_t i = 0; i < r.size(); ++i) ids[i] = r[i];
    CaptureStderr();
    loadmunifac(static_cast<std::int32_t>(r.size()), ids, ng, qk, rk, nuk, amn, bmn, cmn, ierr);
    return GetCapturedStderr();
  }

  // A pair matrix after a load of n groups: want(j, l) in rows and columns 1..n, zeros in
  // the rest of the cleared corner, the sentinels s(pos) elsewhere.
  template <class F, class S>
  void expectpairs(const double (&m)[maxgrp * maxgrp], int n, F want, S s) {
    for (int l = 1; l <= maxgrp; ++l) {
      for (int j = 1; j <= maxgrp; ++j) {
        const double v = m[(l - 1) * maxgrp + (j - 1)];
        if (j <= n && l <= n) {
          ASSERT_EQ(v, want(j, l)) << j << "," << l;
        } else if (j <= nslot && l <= nslot) {
          ASSERT_EQ(v, 0.0) << j << "," << l;
        } else {
          ASSERT_EQ(v, s((l - 1) * maxgrp + (j - 1))) << j << "," << l;
        }
      }
    }
  }

  void expectamn(int n, const std::vector<std::vector<double>>& want) {
    expectpairs(amn, n, [&](int j, int l) { return want[j - 1][l - 1]; },
                [](int p) { return sentinel(p); });
  }
  void expectbmn(int n, const std::vector<std::vector<double>>& want) {
    expectpairs(bmn, n, [&](int j, int l) { return want[j - 1][l - 1]; },
                [](int p) { return -sentinel(p); });
  }
  void expectcmn(int n, const std::vector<std::vector<double>>& want) {
    expectpairs(cmn, n, [&](int j, int l) { return want[j - 1][l - 1]; },
                [](int p) { return 2 * sentinel(p); });
  }

  // qk and rk after a load of n groups: want in 1..n, the sentinels above.
  void expectqr(const std::vector<double>& q, const std::vector<double>& r) {
    const int n = static_cast<int>(q.size());
    for (int a = 0; a < maxgrp; ++a) {
      ASSERT_EQ(qk[a], a < n ? q[a] : sentinel(a)) << a + 1;
      ASSERT_EQ(rk[a], a < n ? r[a] : -sentinel(a)) << a + 1;
    }
  }

  // The state that a failure in the parameter stage leaves after the component stage of
  // records 1 and 2: ng and nuk written, the cleared corners zero, everything else as before.
  void expectfailedpar(bool modified) {
    EXPECT_EQ(ierr, 1);
    EXPECT_EQ(ng, 3);
    const auto nu = mat<maxgrp>(nuk);
    EXPECT_EQ(nu(1, 1), 1.0);
    EXPECT_EQ(nu(2, 1), 2.0);
    EXPECT_EQ(nu(3, 1), 0.0);
    EXPECT_EQ(nu(3, 2), 1.0);
    auto none = [](int, int) { return 0.0; };
    expectpairs(amn, 0, none, [](int p) { return sentinel(p); });
    if (modified) {
      expectpairs(bmn, 0, none, [](int p) { return -sentinel(p); });
      expectpairs(cmn, 0, none, [](int p) { return 2 * sentinel(p); });
    }
    expectqr({}, {});
  }
};

constexpr double np = nopar;

// The example of two components: subgroups 1, 2 (main group 1) and 14 (main group 5),
// one interaction line (1, 5).
TEST_F(loadunifactest, Example) {
  put("unifac.par", parfile({uline("1", "5", "100.0", "200.0")}, subs));
  EXPECT_EQ(uload({1, 2}), "");
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(ng, 3);
  EXPECT_EQ(vec(unifacstate.grplist)(3), 14);
  expectamn(3, {{0, 0, 100.0}, {0, 0, 100.0}, {200.0, 200.0, 0}});
  expectqr({0.848, 0.540, 1.2}, {0.9011, 0.6744, 1.0});
  const auto nu = mat<maxgrp>(nuk);
  EXPECT_EQ(nu(1, 1), 1.0);
  EXPECT_EQ(nu(2, 1), 2.0);
  EXPECT_EQ(nu(3, 2), 1.0);
  expectcounts(nuk, 2, nslot, sentinel);

  // Without the line the pairs of main groups 1 and 5 are nopar, in both directions,
  // and no value of the earlier call's file survives.
  reset();
  put("unifac.par", parfile({}, subs));
  EXPECT_EQ(uload({1, 2}), "");
  EXPECT_EQ(ierr, 0);
  expectamn(3, {{0, 0, np}, {0, 0, np}, {np, np, 0}});
}

// A caller may pass one variable as nc and ng: both loaders count their components from
// the value nc had on entry, though ng is rewritten on the way.
TEST_F(loadunifactest, OneVariableForTheCountAndTheGroups) {
  uslot a[nslot], b[nslot];
  for (int k = 0; k < nslot; ++k) {
    a[k] = {1, 1 + k, 1.0};
    b[k] = {5, 8 + k, 2.0};
  }
  put("unifac.nam", unifrec(a) + unifrec(b));
  put("m-unifac.nam", unifrec(a) + unifrec(b));
  put("unifac.par", parfile({}, subs));
  put("modunifac.par", parfile({}, subs));
  ids[0] = 1;
  ids[1] = 2;
  for (bool modified : {false, true}) {
    reset();
    std::int32_t both = 2;
    CaptureStderr();
    if (modified) {
      loadmunifac(both, ids, both, qk, rk, nuk, amn, bmn, cmn, ierr);
    } else {
      loadunifac(both, ids, both, qk, rk, nuk, amn, ierr);
    }
    EXPECT_EQ(GetCapturedStderr(), "");
    ASSERT_EQ(ierr, 0);
    EXPECT_EQ(both, 14);
    const auto nu = mat<maxgrp>(nuk);
    for (int j = 1; j <= 14; ++j) {
      EXPECT_EQ(nu(j, 1), j <= 7 ? 1.0 : 0.0) << j;
      EXPECT_EQ(nu(j, 2), j <= 7 ? 0.0 : 2.0) << j;
    }
    // Rows above ng keep their sentinels; the other columns are cleared in rows 1 to 7
    // and never re-indexed.
    expectcounts(nuk, 2, 14, sentinel);
  }
}

// A count written as a quoted value that the file never closes: the file ends before
// the count.
TEST_F(loadunifactest, UnclosedCount) {
  put("unifac.par", "'1\n" + uline("1", "5", "100.0", "200.0") + "\n");
  EXPECT_EQ(uload({1}), "corvane: " + dir +
                            "/unifac.par: the file ends after line 2, before the count of "
                            "interaction lines\n");
  EXPECT_EQ(ierr, 1);
}

// The same in modified UNIFAC, whose line carries b and c too. Two list subgroups of one
// main group get its diagonal entry, 0 while no line names that main group twice.
TEST_F(loadunifactest, ModifiedExample) {
  put("modunifac.par",
      parfile({mline("1", "5", "100.0", "1.5", "0.25", "200.0", "-2.5", "-0.125")}, subs));
  EXPECT_EQ(mload({1, 2}), "");
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(ng, 3);
  expectamn(3, {{0, 0, 100.0}, {0, 0, 100.0}, {200.0, 200.0, 0}});
  expectbmn(3, {{0, 0, 1.5}, {0, 0, 1.5}, {-2.5, -2.5, 0}});
  expectcmn(3, {{0, 0, 0.25}, {0, 0, 0.25}, {-0.125, -0.125, 0}});
  expectqr({0.848, 0.540, 1.2}, {0.9011, 0.6744, 1.0});
  expectcounts(nuk, 2, nslot, sentinel);

  // A line naming main group 1 twice: its second set of fields lands on the diagonal,
  // for both list subgroups of that group and in both directions between them.
  reset();
  put("modunifac.par", parfile({mline("1", "1", "1.0", "2.0", "3.0", "4.0", "5.0", "6.0")}, subs));
  EXPECT_EQ(mload({1, 2}), "");
  EXPECT_EQ(ierr, 0);
  expectamn(3, {{4, 4, np}, {4, 4, np}, {np, np, 0}});
  expectbmn(3, {{5, 5, np}, {5, 5, np}, {np, np, 0}});
  expectcmn(3, {{6, 6, np}, {6, 6, np}, {np, np, 0}});
}

// (1,5) followed later by (5,1): the later line sets both directions. Lines of main
// groups outside the list, subgroup lines of subgroups outside it and a subgroup named
// twice; a list subgroup without a line gets Q = R = 0.
TEST_F(loadunifactest, LaterLinesAndUnlistedGroups) {
  put("unifac.par", parfile({uline("1", "5", "100.0", "200.0"), uline("1", "7", "11.0", "12.0"),
                             uline("5", "1", "300.0", "400.0"), uline("9", "9", "5.0", "6.0")},
                            {sline("1", "CH3", "0.9011", "0.848"), sline("3", "CH", "0.4469", "0.228"),
                             sline("1", "CH3", "0.5", "0.25"), sline("16", "H2O", "0.92", "1.4")}));
  EXPECT_EQ(uload({1, 2}), "");
  EXPECT_EQ(ierr, 0);
  expectamn(3, {{0, 0, 400.0}, {0, 0, 400.0}, {300.0, 300.0, 0}});
  expectqr({0.25, 0.0, 0.0}, {0.5, 0.0, 0.0});
}

// A number without a point has implied decimals: 5 in a and b fields, 4 in c, R and Q
// fields. A point overrides them, an exponent scales the value.
TEST_F(loadunifactest, ImpliedDecimals) {
  const std::vector<std::string> sub15 = {sline("1", "A", "15", "15"), sline("2", "B", "15E2", "1.5"),
                                          sline("14", "C", "-15", "1.5+1")};
  put("modunifac.par", parfile({mline("1", "5", "15", "15", "15", "15E2", "1.5", "15D-1")}, sub15));
  EXPECT_EQ(mload({1, 2}), "");
  EXPECT_EQ(ierr, 0);
  expectamn(3, {{0, 0, 0.00015}, {0, 0, 0.00015}, {0.015, 0.015, 0}});
  expectbmn(3, {{0, 0, 0.00015}, {0, 0, 0.00015}, {1.5, 1.5, 0}});
  expectcmn(3, {{0, 0, 0.0015}, {0, 0, 0.0015}, {0.00015, 0.00015, 0}});
  expectqr({0.0015, 1.5, 15.0}, {0.0015, 0.15, -0.0015});

  put("unifac.par", parfile({uline("1", "5", "15", "-15")}, sub15));
  EXPECT_EQ(uload({1, 2}), "");
  EXPECT_EQ(ierr, 0);
  expectamn(3, {{0, 0, 0.00015}, {0, 0, 0.00015}, {-0.00015, -0.00015, 0}});
}

// Short lines read as if blank up to their last column; blanks inside numbers are
// ignored; columns beyond the layouts and the name columns may hold anything; CR LF
// line ends; empty lines and text after the counts.
TEST_F(loadunifactest, LineForms) {
  put("unifac.par", "\n  \n1 interaction line, then the rest of this line is never read\r\n"
                    "  1  5     100.0\r\n"
                    "\r\n\r\n2,3\r\n"
                    "  1 4 O/H,'\"    1 0000    1 . 2 00 anything\r\n"
                    "  1   CH3 ;:   0.9011\r\n");
  EXPECT_EQ(uload({1, 2}), "");
  EXPECT_EQ(ierr, 0);
  expectamn(3, {{0, 0, 100.0}, {0, 0, 100.0}, {0, 0, 0}});
  expectqr({0.0, 0.0, 1.2}, {0.9011, 0.0, 1.0});

  // Modified UNIFAC: a line ending after column 42 gives a, b and c of (j,i) as 0.
  put("modunifac.par",
      parfile({mline("1", "5", "100.0", "1.5", "0.25", "", "", "").substr(0, 42),
               mline("5", "7", "1", "2", "3", "4", "5", "6") + "columns 79 on: any text"},
              subs));
  EXPECT_EQ(mload({1, 2}), "");
  EXPECT_EQ(ierr, 0);
  expectamn(3, {{0, 0, 100.0}, {0, 0, 100.0}, {0, 0, 0}});
  expectbmn(3, {{0, 0, 1.5}, {0, 0, 1.5}, {0, 0, 0}});
  expectcmn(3, {{0, 0, 0.25}, {0, 0, 0.25}, {0, 0, 0}});
}

// Counts of 0 or less: no line of its kind follows.
TEST_F(loadunifactest, ZeroCounts) {
  put("unifac.par", "0\n-3\n");
  EXPECT_EQ(uload({1, 2}), "");
  EXPECT_EQ(ierr, 0);
  expectamn(3, {{0, 0, np}, {0, 0, np}, {np, np, 0}});
  expectqr({0, 0, 0}, {0, 0, 0});
  put("modunifac.par", "  0\n" + std::to_string(subs.size()) + "\n" + subs[0] + "\n" + subs[1] +
                           "\n" + subs[2] + "\n" + subs[3] + "\n");
  EXPECT_EQ(mload({1, 2}), "");
  EXPECT_EQ(ierr, 0);
  expectamn(3, {{0, 0, np}, {0, 0, np}, {np, np, 0}});
  expectqr({0.848, 0.540, 1.2}, {0.9011, 0.6744, 1.0});
}

// Lines whose group numbers lie outside 1..200 or 1..400 (a blank number reads 0) are
// skipped with a warning naming the file and the line; the load goes on.
TEST_F(loadunifactest, OutOfRangeLinesSkipped) {
  put("unifac.par", parfile({uline("1", "5", "100.0", "200.0"), uline("", "5", "1.0", "2.0"),
                             uline("201", "1", "1.0", "2.0"), uline("5", "-1", "1.0", "2.0")},
                            {sline("1", "CH3", "0.9011", "0.848"), sline("", "X", "1.0", "1.0"),
                             sline("401", "X", "1.0", "1.0")}));
  const std::string err = uload({1, 2});
  EXPECT_EQ(ierr, 0);
  expectamn(3, {{0, 0, 100.0}, {0, 0, 100.0}, {200.0, 200.0, 0}});
  expectqr({0.848, 0, 0}, {0.9011, 0, 0});
  const std::string file = "corvane: " + dir + "/unifac.par: line ";
  for (int line : {3, 4, 5}) {
    EXPECT_NE(err.find(file + std::to_string(line) +
                       ": a main-group number lies outside 1..200; the line is skipped\n"),
              std::string::npos)
        << err;
  }
  for (int line : {8, 9}) {
    EXPECT_NE(err.find(file + std::to_string(line) +
                       ": a subgroup number lies outside 1..400; the line is skipped\n"),
              std::string::npos)
        << err;
  }
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 5) << err;
}

// nc = 0: ng = 0, nothing outside the cleared corners changes, and the parameter file is
// still opened and read through its counted lines.
TEST_F(loadunifactest, NoComponents) {
  put("unifac.par", parfile({uline("1", "5", "100.0", "200.0")}, subs));
  EXPECT_EQ(uload({}), "");
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(ng, 0);
  expectamn(0, {});
  expectqr({}, {});
  for (int a = nslot; a < maxgrp; ++a) ASSERT_EQ(nuk[a], sentinel(a));

  // The file must exist and be well formed.
  std::remove("unifac.par");
  EXPECT_NE(uload({}).find("unifac.par: cannot be opened"), std::string::npos);
  EXPECT_EQ(ierr, 1);
  put("modunifac.par", parfile({uline("1", "5", "100.0", "2x")}, subs));
  EXPECT_NE(mload({}).find("line 2: the field that begins in column 19 is not a number"),
            std::string::npos);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(ng, 0);
}

// Failures in the parameter stage: one diagnostic line naming the file and the line,
// ierr = 1, ng and nuk written, qk, rk and the pair matrices outside the cleared corner
// as they were.
TEST_F(loadunifactest, ParameterFileFailures) {
  struct failcase {
    std::string file;
    std::string message;  // after "corvane: <path>: "
  };
  const std::string l15 = uline("1", "5", "100.0", "200.0");
  const std::string s1 = sline("1", "CH3", "0.9011", "0.848");
  const std::vector<failcase> cases = {
      {"", "the file ends after line 0, before the count of interaction lines"},
      {"\n\n  \n", "the file ends after line 3, before the count of interaction lines"},
      {"2\n" + l15 + "\n", "the file ends after line 2, before interaction line 2 of 2"},
      {"1\n" + l15 + "\n", "the file ends after line 2, before the count of subgroup lines"},
      {"1\n" + l15 + "\n\n", "the file ends after line 3, before the count of subgroup lines"},
      {"1\n" + l15 + "\n3\n" + s1 + "\n" + s1, "the file ends after line 5, before subgroup line 3 of 3"},
      {"x\n", "line 1: the count of interaction lines, \"x\", is not an integer"},
      {"1.0\n", "line 1: the count of interaction lines, \"1.0\", is not an integer"},
      {"\n'1'\n", "line 2: the count of interaction lines, \"1\", is not an integer"},
      {"2*1\n", "line 1: the count of interaction lines, \"2*1\", is not an integer"},
      {"99999999999\n", "line 1: the count of interaction lines, \"99999999999\", is not an integer"},
      {"2147483648\n", "line 1: the count of interaction lines, \"2147483648\", is not an integer"},
      {"-2147483649\n", "line 1: the count of interaction lines, \"-2147483649\", is not an integer"},
      {"-3000000000\n", "line 1: the count of interaction lines, \"-3000000000\", is not an integer"},
      {"2147483647\n", "the file ends after line 1, before interaction line 1 of 2147483647"},
      {"-2147483648\n", "the file ends after line 1, before the count of subgroup lines"},
      {"1\n" + l15 + "\n\n  3x\n", "line 4: the count of subgroup lines, \"3x\", is not an integer"},
      {", 1\n", "line 1: the count of interaction lines is missing"},
      {"/ 1\n", "line 1: the count of interaction lines is missing"},
      {"1\n" + l15 + "\n,\n", "line 3: the count of subgroup lines is missing"},
      {"1\n" + uline("1", "5", "1.0.", "2.0") + "\n0\n", "line 2: the field that begins in column 7 is not a number"},
      {"1\n" + uline("1", "5x", "1.0", "2.0") + "\n0\n", "line 2: the field that begins in column 4 is not a number"},
      {"0\n1\n" + sline("1", "CH3", "0.9x", "0.848") + "\n", "line 3: the field that begins in column 15 is not a number"},
      {"0\n1\n" + sline("1", "CH3", "0.9", "8,4") + "\n", "line 3: the field that begins in column 25 is not a number"},
      {"0\n1\n" + sline("1+", "CH3", "0.9", "0.8") + "\n", "line 3: the field that begins in column 3 is not a number"},
  };
  const std::string path = dir + "/unifac.par";
  for (const failcase& c : cases) {
    reset();
    put("unifac.par", c.file);
    EXPECT_EQ(uload({1, 2}), "corvane: " + path + ": " + c.message + "\n") << c.file;
    expectfailedpar(false);
  }
  // The same in the modified layout, and a missing file.
  reset();
  put("modunifac.par", "1\n" + mline("1", "5", "1", "2", "3", "4", "5", "6e") + "\n0\n");
  EXPECT_EQ(mload({1, 2}), "corvane: " + dir + "/modunifac.par: line 2: the field that begins in column 67 is not a number\n");
  expectfailedpar(true);
  reset();
  std::remove("modunifac.par");
  EXPECT_EQ(mload({1, 2}), "corvane: " + dir + "/modunifac.par: cannot be opened\n");
  expectfailedpar(true);
}

// A count larger than the lines of its kind is not detected as such: the lines that
// follow are read in the wrong layout, here the second count as an interaction line.
TEST_F(loadunifactest, CountTooLarge) {
  put("unifac.par", "2\n" + uline("1", "5", "100.0", "200.0") + "\n0\n");
  const std::string err = uload({1, 2});
  EXPECT_NE(err.find("line 3: a main-group number lies outside 1..200"), std::string::npos) << err;
  EXPECT_NE(err.find("the file ends after line 3, before the count of subgroup lines"),
            std::string::npos)
      << err;
  EXPECT_EQ(ierr, 1);
}

// A component record that fails its test: the parameter file is not opened.
TEST_F(loadunifactest, FailedRecordOpensNoParameterFile) {
  put("unifac.nam", unifrec({{1, 1, 1.0}, e, e, e, e, e, e}) + unifrec({{1, 1, 0.5}, e, e, e, e, e, e}));
  EXPECT_EQ(uload({1, 2}).find("unifac.par"), std::string::npos);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(ng, -7);
  expectqr({}, {});
}

// End to end: a small table of published parameters written in the file layouts, loaded
// into modelpar and evaluated by actcoef for ethanol (CH3, CH2, OH) and water (H2O) at
// 25 degrees Celsius, x = (0.252, 0.748). Reference activity coefficients from the
// independent Python library thermo (unifac-act-bin-0-25, dortmund-act-bin-0-25).
class endtoend : public loadunifactest {
 protected:
  void SetUp() override {
    loadunifactest::SetUp();
    resetrecords();
    mixstate.nc = 2;
    mixstate.x[0] = 0.252;
    mixstate.x[1] = 0.748;
    mixstate.t = 25.0;
  }
};

// Original UNIFAC: the table of uniffix.h, with the acetone group CH3CO in a component
// that is not chosen.
TEST_F(endtoend, Unifac) {
  put("unifac.par", unifacpar());
  put("unifac.nam", unifrec({{1, 1, 1.0}, {1, 2, 1.0}, {5, 14, 1.0}, e, e, e, e}) +
                        unifrec({{9, 19, 1.0}, {1, 1, 1.0}, e, e, e, e, e}) +
                        unifrec({{7, 16, 1.0}, e, e, e, e, e, e}));
  ids[0] = 1;
  ids[1] = 3;
  loadunifac(mixstate.nc, ids, modelpar.ng, modelpar.qk, modelpar.rk, modelpar.nuk, modelpar.amn,
             ierr);
  ASSERT_EQ(ierr, 0);
  ASSERT_EQ(modelpar.ng, 4);
  mixstate.model = liqunifac;
  actcoef(mixstate.x, mixstate.t, mixstate.gam);
  EXPECT_LT(reldiff(mixstate.gam[0], 1.828823563033458), 1e-12);
  EXPECT_LT(reldiff(mixstate.gam[1], 1.181124199288286), 1e-12);
}

// Modified UNIFAC (Dortmund), the table of the reference.
TEST_F(endtoend, ModifiedUnifac) {
  put("modunifac.par", dortmundpar());
  put("m-unifac.nam", unifrec({{1, 1, 1.0}, {1, 2, 1.0}, {5, 14, 1.0}, e, e, e, e}) +
                          unifrec({{7, 16, 1.0}, e, e, e, e, e, e}));
  ids[0] = 1;
  ids[1] = 2;
  loadmunifac(mixstate.nc, ids, modelpar.ng, modelpar.qk, modelpar.rk, modelpar.nuk, modelpar.amn,
              modelpar.bmn, modelpar.cmn, ierr);
  ASSERT_EQ(ierr, 0);
  ASSERT_EQ(modelpar.ng, 4);
  EXPECT_EQ(mat<maxgrp>(modelpar.cmn)(4, 3), 0.01641);
  mixstate.model = liqdortmund;
  actcoef(mixstate.x, mixstate.t, mixstate.gam);
  EXPECT_LT(reldiff(mixstate.gam[0], 1.9044913407505422), 1e-12);
  EXPECT_LT(reldiff(mixstate.gam[1], 1.1281269556789055), 1e-12);
}

}  // namespace
}  // namespace corvane::testing
