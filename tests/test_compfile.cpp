// The component files and the group list: records, their tests, grplist, re-indexing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "loaderfix.h"
#include "stage.h"
#include "view.h"

namespace corvane::testing {
namespace {

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

}  // namespace
}  // namespace corvane::testing
