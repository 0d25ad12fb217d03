// The component files and the group list: records, their tests, grplist, re-indexing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <dirent.h>

#include "loaderfix.h"
#include "stage.h"
#include "view.h"

namespace corvane::testing {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

class compfile : public tempdir {
 protected:
  double fhsize[maxgrp];
  double nuasog[maxgrp * maxcomp];
  double nuk[maxgrp * maxcomp];
  std::int32_t ids[maxcomp] = {};
  std::int32_t ng = -99;
  std::int32_t ierr = -99;

  void SetUp() override {
    tempdir::SetUp();
    for (double& v : fhsize) v = -5.0;
    for (double& v : nuasog) v = -5.0;
    for (double& v : nuk) v = -5.0;
  }

  // Stage steps on asogstate, with the component file "c.nam" of the directory.
  void readasog(std::int32_t nc) {
    std::memcpy(asogstate.datadir, dir.data(), dir.size());
    std::memset(asogstate.datadir + dir.size(), ' ', maxpath - dir.size());
    mkdatapath(asogstate, "\\c.nam", ierr);
    ASSERT_EQ(ierr, 0);
    readcomp(asogstate, nc, ids, fhsize, nuasog, ierr);
  }
  void readunif(std::int32_t nc) {
    std::memcpy(unifacstate.datadir, dir.data(), dir.size());
    std::memset(unifacstate.datadir + dir.size(), ' ', maxpath - dir.size());
    mkdatapath(unifacstate, "\\c.nam", ierr);
    ASSERT_EQ(ierr, 0);
    readcomp(unifacstate, nc, ids, nuk, ierr);
  }
};

constexpr aslot e{0, 0.0};

// Two components: (3, 2.0), (1, 1.0) and (1, 1.0), _, _, (5, 3.0).
TEST_F(compfile, TwoComponentExample) {
  put("c.nam", asogrec(2.5, {{3, 2.0}, {1, 1.0}, e, e, e, e, e}) +
                   asogrec(1.0, {{1, 1.0}, e, e, {5, 3.0}, e, e, e}));
  ids[0] = 1;
  ids[1] = 2;
  readasog(2);
  ASSERT_EQ(ierr, 0);
  mkgrplist(asogstate, 2, ng, ierr);
  ASSERT_EQ(ierr, 0);
  EXPECT_EQ(ng, 3);
  const std::int32_t want[14] = {1, 3, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int a = 0; a < 14; ++a) EXPECT_EQ(asogstate.grplist[a], want[a]) << a;
  reindexnu(asogstate, 2, ng, nuasog);
  auto nu = mat<maxgrp>(nuasog);
  EXPECT_EQ(nu(1, 1), 1.0);
  EXPECT_EQ(nu(2, 1), 2.0);
  EXPECT_EQ(nu(3, 1), 0.0);
  EXPECT_EQ(nu(1, 2), 1.0);
  EXPECT_EQ(nu(2, 2), 0.0);
  EXPECT_EQ(nu(3, 2), 3.0);
  EXPECT_EQ(fhsize[0], 2.5);
  EXPECT_EQ(fhsize[1], 1.0);
}


constexpr uslot u{0, 0, 0.0};

// UNIFAC family: the list carries each subgroup's main group from its first occurrence,
// components first, then slots; a key in two slots of one record keeps the later count;
// a count in an empty slot goes nowhere.
TEST_F(compfile, UnifacListAndMainGroups) {
  put("c.nam", unifrec({{1, 2, 1.0}, u, {9, 0, 7.0}, {1, 1, 3.0}, {1, 2, 4.0}, u, u}) +
                   unifrec({{5, 14, 2.0}, {6, 2, 1.0}, u, u, u, u, u}));
  ids[0] = 1;
  ids[1] = 2;
  readunif(2);
  ASSERT_EQ(ierr, 0);
  mkgrplist(unifacstate, 2, ng, ierr);
  ASSERT_EQ(ierr, 0);
  ASSERT_EQ(ng, 3);
  EXPECT_EQ(unifacstate.grplist[0], 1);
  EXPECT_EQ(unifacstate.grplist[1], 2);
  EXPECT_EQ(unifacstate.grplist[2], 14);
  EXPECT_EQ(unifacstate.mainlist[0], 1);
  EXPECT_EQ(unifacstate.mainlist[1], 1);  // not 6, the main group of its second occurrence
  EXPECT_EQ(unifacstate.mainlist[2], 5);
  for (int a = 3; a < 14; ++a) {
    EXPECT_EQ(unifacstate.grplist[a], 0);
    EXPECT_EQ(unifacstate.mainlist[a], 0);
  }
  reindexnu(unifacstate, 2, ng, nuk);
  auto nu = mat<maxgrp>(nuk);
  EXPECT_EQ(nu(1, 1), 3.0);
  EXPECT_EQ(nu(2, 1), 4.0);  // the later of the two slots of subgroup 2
  EXPECT_EQ(nu(3, 1), 0.0);
  EXPECT_EQ(nu(1, 2), 0.0);
  EXPECT_EQ(nu(2, 2), 1.0);
  EXPECT_EQ(nu(3, 2), 2.0);
  EXPECT_EQ(nu(4, 1), 3.0);  // rows above ng keep the counts by slot
  EXPECT_EQ(nu(5, 1), 4.0);
  EXPECT_EQ(nu(8, 1), -5.0);
}

// The fields are little-endian and packed at their offsets; values read bit for bit.
TEST_F(compfile, FieldsBitForBit) {
  const double odd[7] = {0.1, -0.0, 1e-310, 6.02214076e23, -3.5, 0.0, 2.0};
  put("c.nam", asogrec(1.0000000000000002, {{43, odd[0]}, {1, odd[1]}, {2, odd[2]}, {3, odd[3]},
                                              {4, odd[4]}, {5, odd[5]}, {6, odd[6]}}));
  ids[0] = 1;
  readasog(1);
  ASSERT_EQ(ierr, 0);
  EXPECT_TRUE(samebits(fhsize[0], 1.0000000000000002));
  auto nu = mat<maxgrp>(nuasog);
  auto key = mat<nslot>(asogstate.slotkey);
  const std::int32_t keys[7] = {43, 1, 2, 3, 4, 5, 6};
  for (int k = 1; k <= nslot; ++k) {
    EXPECT_EQ(key(k, 1), keys[k - 1]);
    EXPECT_TRUE(samebits(nu(k, 1), odd[k - 1])) << k;
  }
  EXPECT_EQ(nu(8, 1), -5.0);
}

// The record test: size (ASOG) or slot-1 count (UNIFAC family) below 1.0 fails,
// strictly, and a NaN passes; only slot 1's count is tested. Failing is silent.
TEST_F(compfile, PlausibilityTest) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct {
    double v;
    int want;
  } cases[] = {{1.0, 0},  {std::nextafter(1.0, 0.0), 1}, {0.0, 1}, {-2.0, 1},
               {nan, 0},  {-std::numeric_limits<double>::infinity(), 1}, {1e300, 0}};
  for (const auto& c : cases) {
    put("c.nam", asogrec(c.v, {{1, 1.0}, e, e, e, e, e, e}));
    ids[0] = 1;
    CaptureStderr();
    readasog(1);
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(ierr, c.want) << c.v;
    put("c.nam", unifrec({{1, 1, c.v}, {2, 3, 0.0}, u, u, u, u, u}));
    CaptureStderr();
    readunif(1);
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(ierr, c.want) << c.v;
  }
  // A record of zero bytes fails.
  put("c.nam", std::string(uniflen, '\0'));
  readasog(1);
  EXPECT_EQ(ierr, 1);
  readunif(1);
  EXPECT_EQ(ierr, 1);
}

// Keys outside their ranges fail the record's test, with a diagnostic naming the file,
// the record and the key; an empty slot's other fields do not matter.
TEST_F(compfile, KeysOutOfRange) {
  for (std::int32_t key : {-1, 44, std::numeric_limits<std::int32_t>::min()}) {
    put("c.nam", asogrec(2.0, {{1, 1.0}, e, e, e, e, e, e}) +
                     asogrec(2.0, {{1, 1.0}, e, {key, 1.0}, e, e, e, e}));
    ids[0] = 1;
    ids[1] = 2;
    CaptureStderr();
    readasog(2);
    std::string err = GetCapturedStderr();
    EXPECT_EQ(ierr, 1) << key;
    EXPECT_NE(err.find("c.nam"), std::string::npos) << err;
    EXPECT_NE(err.find("record 2"), std::string::npos) << err;
    EXPECT_NE(err.find(std::to_string(key)), std::string::npos) << err;
  }
  struct {
    std::int32_t main, sub;
  } bad[] = {{1, 401}, {1, -3}, {0, 5}, {201, 5}, {-1, 5}};
  for (const auto& b : bad) {
    put("c.nam", unifrec({{1, 1, 1.0}, u, {b.main, b.sub, 1.0}, u, u, u, u}));
    ids[0] = 1;
    CaptureStderr();
    readunif(1);
    std::string err = GetCapturedStderr();
    EXPECT_EQ(ierr, 1) << b.main << " " << b.sub;
    EXPECT_NE(err.find("record 1"), std::string::npos) << err;
    EXPECT_NE(err.find(std::to_string(b.sub)), std::string::npos) << err;
  }
  // At the edges of the ranges, and an empty slot with any main group: fine.
  put("c.nam", unifrec({{200, 400, 1.0}, {1, 1, 1.0}, {-9, 0, 5.0}, u, u, u, u}));
  readunif(1);
  EXPECT_EQ(ierr, 0);
  put("c.nam", asogrec(1.0, {{43, 1.0}, {1, 1.0}, e, e, e, e, e}));
  readasog(1);
  EXPECT_EQ(ierr, 0);
}

// Record numbers below 1, past the end, or whose data bytes the file does not hold.
// Only the data bytes are read: a last record cut after them is fine.
TEST_F(compfile, RecordsTheFileDoesNotHold) {
  std::string two = asogrec(2.0, {{1, 1.0}, e, e, e, e, e, e}) +
                    asogrec(3.0, {{2, 1.0}, e, e, e, e, e, e});
  put("c.nam", two.substr(0, asoglen + asogdata));
  ids[0] = 2;
  readasog(1);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(fhsize[0], 3.0);
  struct {
    std::int32_t id;
    std::size_t size;
    const char* what;
  } cases[] = {{0, 2 * asoglen, "below 1"},
               {-5, 2 * asoglen, "below 1"},
               {3, 2 * asoglen, "past the end"},
               {std::numeric_limits<std::int32_t>::max(), 2 * asoglen, "past the end"},
               {2, asoglen + asogdata - 1, "ends inside"}};
  for (const auto& c : cases) {
    put("c.nam", two.substr(0, c.size));
    fhsize[1] = -5.0;
    ids[0] = 1;
    ids[1] = c.id;
    CaptureStderr();
    readasog(2);
    std::string err = GetCapturedStderr();
    EXPECT_EQ(ierr, 1) << c.id;
    EXPECT_NE(err.find("c.nam"), std::string::npos) << err;
    EXPECT_NE(err.find(c.what), std::string::npos) << err;
    EXPECT_EQ(fhsize[0], 2.0);   // stored before the failure
    EXPECT_EQ(fhsize[1], -5.0);  // nothing of the failing record
  }
  // The component file missing.
  std::remove("c.nam");
  CaptureStderr();
  readunif(0);
  std::string err = GetCapturedStderr();
  EXPECT_EQ(ierr, 1);
  EXPECT_NE(err.find("c.nam"), std::string::npos) << err;
}

// The same record given twice: both columns equal, its groups listed once.
TEST_F(compfile, SameRecordTwice) {
  put("c.nam", asogrec(1.5, {e, {7, 2.0}, e, {3, 1.0}, e, e, e}));
  ids[0] = 1;
  ids[1] = 1;
  readasog(2);
  ASSERT_EQ(ierr, 0);
  mkgrplist(asogstate, 2, ng, ierr);
  ASSERT_EQ(ng, 2);
  EXPECT_EQ(asogstate.grplist[0], 3);
  EXPECT_EQ(asogstate.grplist[1], 7);
  reindexnu(asogstate, 2, ng, nuasog);
  auto nu = mat<maxgrp>(nuasog);
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(nu(1, i), 1.0);
    EXPECT_EQ(nu(2, i), 2.0);
  }
}

// nc = 0: the file must still open; ierr = 0, ng = 0, and no column is rewritten.
TEST_F(compfile, NoComponents) {
  put("c.nam", "");
  asogstate.grplist[0] = 77;
  readasog(0);
  EXPECT_EQ(ierr, 0);
  mkgrplist(asogstate, 0, ng, ierr);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(ng, 0);
  reindexnu(asogstate, 0, ng, nuasog);
  for (double v : nuasog) ASSERT_EQ(v, -5.0);
  EXPECT_EQ(asogstate.grplist[0], 77);  // positions after 7 nc keep an earlier call's
}

// More than maxgrp distinct groups: mkgrplist fails and leaves ng as it was; exactly
// maxgrp fit. Records 1 to 4 hold groups 1..28, record 5 groups 29..35, record 6 groups
// 29 and 30, record 7 groups 29, 30 and 31; the fifth component is one of the last three.
TEST_F(compfile, MoreThanMaxgrpGroups) {
  std::string f;
  for (int i = 0; i < 5; ++i) {
    aslot s[nslot];
    for (int k = 0; k < nslot; ++k) s[k] = {1 + 7 * i + k, 1.0};
    f += asogrec(1.0, s);
  }
  f += asogrec(1.0, {{29, 1.0}, {1, 1.0}, {30, 1.0}, e, e, e, e});
  f += asogrec(1.0, {{29, 1.0}, {30, 1.0}, {31, 1.0}, e, e, e, e});
  put("c.nam", f);
  struct {
    std::int32_t fifth;
    int groups;
  } cases[] = {{5, 35}, {7, maxgrp + 1}, {6, maxgrp}};
  for (const auto& c : cases) {
    for (int i = 0; i < 4; ++i) ids[i] = i + 1;
    ids[4] = c.fifth;
    readasog(5);
    ASSERT_EQ(ierr, 0);
    ng = 4;
    CaptureStderr();
    mkgrplist(asogstate, 5, ng, ierr);
    std::string err = GetCapturedStderr();
    if (c.groups > maxgrp) {
      EXPECT_EQ(ierr, 1) << c.groups;
      EXPECT_EQ(ng, 4) << c.groups;
      EXPECT_NE(err.find("c.nam"), std::string::npos) << err;
      EXPECT_NE(err.find(" " + std::to_string(c.groups) + " "), std::string::npos) << err;
    } else {
      EXPECT_EQ(ierr, 0);
      EXPECT_EQ(err, "");
      ASSERT_EQ(ng, maxgrp);
      for (int j = 1; j <= maxgrp; ++j) EXPECT_EQ(vec(asogstate.grplist)(j), j);
    }
  }
}

// The list invariants over records with random keys, repeats and empty slots.
TEST_F(compfile, ListInvariants) {
  std::uint32_t r = 12345;
  auto next = [&r] { return r = r * 1103515245u + 12345u, (r >> 16) % 9; };
  for (int round = 0; round < 200; ++round) {
    std::string f;
    int nc = 1 + round % maxcomp;
    for (int i = 0; i < nc; ++i) {
      uslot s[nslot];
      for (auto& x : s) {
        std::int32_t key = static_cast<std::int32_t>(next()) * 3;  // 0 (empty) .. 24
        x = {key + 100, key, 1.0 + key};
      }
      s[0].nu = 1.0;
      f += unifrec(s);
      ids[i] = i + 1;
    }
    put("c.nam", f);
    readunif(nc);
    ASSERT_EQ(ierr, 0);
    mkgrplist(unifacstate, nc, ng, ierr);
    ASSERT_EQ(ierr, 0);
    auto key = mat<nslot>(unifacstate.slotkey);
    for (int j = 1; j < ng; ++j) ASSERT_LT(unifacstate.grplist[j - 1], unifacstate.grplist[j]);
    for (int a = ng; a < nslot * nc; ++a) ASSERT_EQ(unifacstate.grplist[a], 0);
    int used = 0;
    bool seen[25] = {};
    for (int i = 1; i <= nc; ++i) {
      for (int k = 1; k <= nslot; ++k) {
        if (key(k, i) != 0 && !seen[key(k, i)]) seen[key(k, i)] = true, ++used;
      }
    }
    ASSERT_EQ(ng, used);
    for (int j = 0; j < ng; ++j) {
      ASSERT_TRUE(seen[unifacstate.grplist[j]]);
      ASSERT_EQ(unifacstate.mainlist[j], unifacstate.grplist[j] + 100);
    }
    reindexnu(unifacstate, nc, ng, nuk);
    auto nu = mat<maxgrp>(nuk);
    for (int i = 1; i <= nc; ++i) {
      for (int j = 1; j <= ng; ++j) {
        bool has = false;
        for (int k = 1; k <= nslot; ++k) has = has || key(k, i) == unifacstate.grplist[j - 1];
        double want = has ? 1.0 + unifacstate.grplist[j - 1] : 0.0;
        if (has && unifacstate.grplist[j - 1] == key(1, i)) {
          // slot 1 holds count 1.0, unless a later slot repeats its key
          want = 1.0;
          for (int k = 2; k <= nslot; ++k) {
            if (key(k, i) == key(1, i)) want = 1.0 + key(1, i);
          }
        }
        ASSERT_EQ(nu(j, i), want);
      }
    }
  }
}

}  // namespace
}  // namespace corvane::testing
