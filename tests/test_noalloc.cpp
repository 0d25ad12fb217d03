// The calculation path allocates nothing: an exported call and a bubble point with each
// model run without a single call of malloc. The test replaces malloc in this program
// and counts the calls made while a calculation runs.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "actcoef.h"
#include "mixstate.h"
#include "modelpar.h"
#include "vle2wil.h"

#if defined(__SANITIZE_ADDRESS__)
#define CORVANE_OWN_MALLOC 0  // the sanitizer owns malloc
#else
#define CORVANE_OWN_MALLOC 1
#endif

namespace {
volatile long mallocs = 0;
}

#if CORVANE_OWN_MALLOC
extern "C" void* __libc_malloc(std::size_t);
extern "C" void* malloc(std::size_t n) {
  mallocs = mallocs + 1;
  return __libc_malloc(n);
}
#endif

namespace {

using namespace corvane;

TEST(NoAlloc, ExportedCallsAndEveryModelAllocateNothing) {
#if !CORVANE_OWN_MALLOC
  GTEST_SKIP() << "malloc belongs to the sanitizer in this build";
#endif
  const double mw1 = 46.06844, mw2 = 18.01528, frac1 = 0.252, pres = 101325.0;
  const double lam12 = 0.17876482090130066, lam21 = 0.831489365296479;
  const double a1 = 8.211846979867062, b1 = 1648.22, c1 = 230.918;
  const double a2 = 7.990736979867062, b2 = 1687.537, c2 = 230.17;
  const std::int32_t punit = unitpa;
  double r[4];
  const long before = mallocs;
  r[0] = vle2wiltmF(&mw1, &mw2, &frac1, &punit, &pres, &lam12, &lam21, &a1, &b1, &c1, &a2, &b2, &c2);
  r[1] = vle2wiltF(&mw1, &mw2, &frac1, &punit, &pres, &lam12, &lam21, &a1, &b1, &c1, &a2, &b2, &c2);
  r[2] = vle2wilymF(&mw1, &mw2, &frac1, &punit, &pres, &lam12, &lam21, &a1, &b1, &c1, &a2, &b2, &c2);
  r[3] = vle2wilyF(&mw1, &mw2, &frac1, &punit, &pres, &lam12, &lam21, &a1, &b1, &c1, &a2, &b2, &c2);
  // Every model on a record of simple parameters (one group per component).
  mixstate.nc = 2;
  modelpar.ng = 2;
  for (int i = 0; i < 2; ++i) {
    modelpar.qk[i] = modelpar.rk[i] = modelpar.fhsize[i] = 1.0 + i;
    modelpar.nuk[i * maxgrp + i] = modelpar.nuasog[i * maxgrp + i] = 1.0;
  }
  for (std::int32_t model = liqideal; model <= liqunifac; ++model) {
    mixstate.model = model;
    actcoef(mixstate.x, mixstate.t, mixstate.gam);
  }
  const long during = mallocs - before;
  EXPECT_EQ(during, 0);
  for (double v : r) EXPECT_NE(v, failval);
}

}  // namespace
