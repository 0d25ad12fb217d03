// The four exported functions: their stores, their three failure cases and their results
// on a real binary.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "corvane.h"
#include "mixstate.h"
#include "support.h"
#include "view.h"
#include "vle2wil.h"

namespace {

using namespace corvane;
using corvane::testing::reldiff;
using corvane::testing::resetrecords;
using corvane::testing::samebits;

// The failure result and the pressure units as every host knows them.
static_assert(failval == 1.0E+100, "failure result");
static_assert(unitpa == 0 && unitmmhg == 1 && unitatm == 2, "pressure units");

using exportfn = decltype(&vle2wiltmF);

// Ethanol(1)/water(2). Antoine constants (log10 mmHg, degrees Celsius) as the open-source
// thermo library ships them (Poling et al.), Wilson parameters from ChemSep's binary
// table; the expected results were computed with thermo 0.6.1.
struct call {
  double mw1 = 46.06844, mw2 = 18.01528, frac1 = 0.252;
  std::int32_t punit = unitpa;
  double pres = 101325.0, lam12 = 0.17876482090130066, lam21 = 0.831489365296479;
  double a1 = 8.211846979867062, b1 = 1648.22, c1 = 230.91799999999998;
  double a2 = 7.990736979867062, b2 = 1687.537, c2 = 230.17;

  double operator()(exportfn fn) const {
    return fn(&mw1, &mw2, &frac1, &punit, &pres, &lam12, &lam21, &a1, &b1, &c1, &a2, &b2, &c2);
  }
};

const double tref = 82.08598955626088;   // bubble point at x1 = 0.252, 101325 Pa
const double yref = 0.5608172610963909;  // vapour mole fraction of ethanol

// The mass fraction of component 1 for a mole fraction x1.
double massfrac(const call& c, double x1) {
  return x1 * c.mw1 / (x1 * c.mw1 + (1.0 - x1) * c.mw2);
}

class Exports : public ::testing::Test {
 protected:
  void SetUp() override { resetrecords(); }
};

TEST_F(Exports, EthanolWaterAgreesWithIndependentLibrary) {
  call c;
  EXPECT_LT(reldiff(c(vle2wiltmF), tref), 1e-12);
  EXPECT_LT(reldiff(c(vle2wilymF), yref), 1e-12);
  const auto y = vec(mixstate.y);
  EXPECT_NEAR(y(1) + y(2), 1.0, 1e-12);

  // The same liquid given as a mass fraction.
  call m = c;
  m.frac1 = massfrac(c, 0.252);
  EXPECT_LT(reldiff(m(vle2wiltF), tref), 1e-12);
  const double wv1 = m(vle2wilyF);
  EXPECT_LT(reldiff(wv1, yref * c.mw1 / (yref * c.mw1 + (1.0 - yref) * c.mw2)), 1e-12);
  // wv(1) is the solver's own vapour composition converted to mass fractions.
  const auto mw = vec(mixstate.mw);
  EXPECT_DOUBLE_EQ(wv1, y(1) * mw(1) / (y(1) * mw(1) + y(2) * mw(2)));
}

TEST_F(Exports, PressureUnitsStoreExactPascal) {
  struct casedef {
    std::int32_t punit;
    double pres, p;
  };
  // At 750 mmHg dividing by 760 first and multiplying first differ in the last bit.
  const double mmhg750 = (750.0 / 760.0) * 101325.0;
  ASSERT_NE(mmhg750, (750.0 * 101325.0) / 760.0);
  const casedef cases[] = {
      {unitmmhg, 760.0, 101325.0}, {unitatm, 1.0, 101325.0}, {unitmmhg, 750.0, mmhg750}};
  call c;
  for (const casedef& k : cases) {
    c.punit = k.punit;
    c.pres = k.pres;
    c(vle2wiltmF);
    EXPECT_TRUE(samebits(mixstate.p, k.p)) << k.punit << " " << k.pres;
  }
  // All three units of the same pressure give the same bubble point.
  c.punit = unitatm;
  c.pres = 1.0;
  EXPECT_LT(reldiff(c(vle2wiltmF), tref), 1e-12);
}

TEST_F(Exports, UnknownPressureUnitFailsAndKeepsThePressureUnconverted) {
  for (std::int32_t unit : {3, -1}) {
    resetrecords();
    call c;
    c.punit = unit;
    c.pres = 760.0;
    EXPECT_EQ(c(vle2wiltmF), failval);
    EXPECT_EQ(mixstate.p, 760.0);
    EXPECT_EQ(mixstate.nc, 2);
    EXPECT_EQ(mixstate.model, 1);
    EXPECT_EQ(mixstate.wilmode, 3);
    EXPECT_EQ(mixstate.vpmode, 0);  // nothing after the pressure was stored
    EXPECT_EQ(mixstate.x[0], 0.0);
  }
}

TEST_F(Exports, CompositionTestIsStrict) {
  struct casedef {
    double frac1;
    bool accepted;
  };
  const double tiny = -1.0e-17;  // 1 - tiny rounds to exactly 1.0
  ASSERT_EQ(1.0 - tiny, 1.0);
  const casedef cases[] = {{0.0, true},         {1.0, true},  {tiny, true},
                           {1.000000001, false}, {-1.0e-9, false}, {1.5, false}};
  for (exportfn fn : {vle2wiltmF, vle2wilymF, vle2wiltF, vle2wilyF}) {
    for (const casedef& k : cases) {
      call c;
      c.frac1 = k.frac1;
      const double r = c(fn);
      if (k.accepted)
        EXPECT_NE(r, failval) << k.frac1;
      else
        EXPECT_EQ(r, failval) << k.frac1;
    }
  }
}

TEST_F(Exports, RejectedCompositionStaysInTheRecord) {
  for (int i = 0; i < maxcomp; ++i) mixstate.x[i] = 7.0;
  call c;
  c.frac1 = 1.5;
  EXPECT_EQ(c(vle2wilymF), failval);
  const auto x = vec(mixstate.x);
  EXPECT_EQ(x(1), 1.5);
  EXPECT_EQ(x(2), -0.5);
  for (int i = 3; i <= maxcomp; ++i) EXPECT_EQ(x(i), 0.0);
  EXPECT_EQ(mixstate.vpmode, 0);

  // The mass-fraction form keeps its liquid mass fractions and clears wv.
  for (int i = 0; i < maxcomp; ++i) mixstate.wv[i] = 7.0;
  EXPECT_EQ(c(vle2wilyF), failval);
  EXPECT_EQ(mixstate.wl[0], 1.5);
  EXPECT_EQ(mixstate.wl[1], -0.5);
  for (int i = 0; i < maxcomp; ++i) EXPECT_EQ(mixstate.wv[i], 0.0);
}

TEST_F(Exports, NanCompositionPassesTheTestAndReturnsNan) {
  call c;
  c.frac1 = std::numeric_limits<double>::quiet_NaN();
  for (exportfn fn : {vle2wiltmF, vle2wilymF, vle2wiltF, vle2wilyF}) {
    ::testing::internal::CaptureStdout();
    const double r = c(fn);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(std::isnan(r));
  }
}

TEST_F(Exports, PureComponentGivesItsAntoineBoilingPoint) {
  call c;
  c.frac1 = 1.0;
  c.lam21 = 0.4;  // the infinite-dilution coefficient of water does not matter
  const double tb1 = c.b1 / (c.a1 - std::log10(760.0)) - c.c1;
  EXPECT_NEAR(c(vle2wiltmF), tb1, 1e-12 * (tb1 + 273.15));
  EXPECT_NEAR(c(vle2wilymF), 1.0, 1e-14);
  c.frac1 = 0.0;
  const double tb2 = c.b2 / (c.a2 - std::log10(760.0)) - c.c2;
  EXPECT_NEAR(c(vle2wiltmF), tb2, 1e-12 * (tb2 + 273.15));
  EXPECT_NEAR(c(vle2wilymF), 0.0, 1e-14);
}

TEST_F(Exports, ResultDependsOnTheArgumentsAlone) {
  call m;
  m.frac1 = 0.3;
  const double first = m(vle2wiltF);
  const double firsty = m(vle2wilyF);
  // Other calls in between, including ones that fail and leave their state behind.
  call other;
  other.frac1 = 0.9;
  other(vle2wilymF);
  other.frac1 = 1.5;
  other(vle2wilyF);
  other.pres = 1.0e12;
  other.frac1 = 0.5;
  ::testing::internal::CaptureStdout();
  other(vle2wiltmF);
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(m(vle2wiltF), first);
  EXPECT_EQ(m(vle2wilyF), firsty);
}

TEST_F(Exports, SolverFailureReturnsFailvalWithItsMessage) {
  // An ideal mixture (both Wilson parameters 1) of water and a very volatile component
  // 1 that boils near -153 degrees, at x = (0.5, 0.5): the start, the mean of the two
  // Antoine boiling points, lies within -100 to 500 degrees, and the first Newton step
  // from it goes below -100. The mass-fraction functions reach the same x through
  // mw2 = 3 mw1 and the mass fraction 0.25, since 0.25 / mw1 and 0.75 / mw2 round alike.
  call c;
  c.lam12 = c.lam21 = 1.0;
  c.a1 = 4.0;
  c.b1 = 120.0;
  c.c1 = 260.0;
  c.mw1 = 20.0;
  c.mw2 = 60.0;
  // The start at the pressure in mmHg, and the one Newton step from it with activity
  // coefficients 1.
  const double pm = (c.pres / 101325.0) * 760.0;
  const double l = std::log10(pm);
  const double t0 = 0.5 * (c.b1 / (c.a1 - l) - c.c1) + 0.5 * (c.b2 / (c.a2 - l) - c.c2);
  double f = 0.0, fp = 0.0;
  const double antoine[2][3] = {{c.a1, c.b1, c.c1}, {c.a2, c.b2, c.c2}};
  for (const auto& k : antoine) {
    const double d = k[2] + t0;
    const double psat = std::pow(10.0, k[0] - k[1] / d);
    f += 0.5 * psat;
    fp += 0.5 * (psat * std::log(10.0) * k[1] / (d * d));
  }
  f = f - pm;
  const double stepped = t0 - f / fp;
  ASSERT_GT(t0, -100.0);
  ASSERT_LT(stepped, -100.0);

  struct casedef {
    exportfn fn;
    double frac1;
  };
  const casedef cases[] = {
      {vle2wiltmF, 0.5}, {vle2wilymF, 0.5}, {vle2wiltF, 0.25}, {vle2wilyF, 0.25}};
  for (const casedef& k : cases) {
    resetrecords();
    call e = c;
    e.frac1 = k.frac1;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(e(k.fn), failval) << k.frac1;
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), " Temperature range over(bp)\n");
    ASSERT_EQ(mixstate.x[0], 0.5);
    ASSERT_EQ(mixstate.x[1], 0.5);
    EXPECT_EQ(mixstate.gam[0], 1.0);
    EXPECT_EQ(mixstate.gam[1], 1.0);
    // The out-of-range temperature of that step stays in the record.
    EXPECT_TRUE(samebits(mixstate.t, stepped)) << mixstate.t - stepped;
  }
}

TEST_F(Exports, StoresTheWholeSetUp) {
  call c;
  for (int i = 0; i < maxcomp * maxcomp; ++i) mixstate.lambda[i] = 9.0;
  c(vle2wiltmF);
  const auto lambda = mat<maxcomp>(mixstate.lambda);
  EXPECT_EQ(lambda(1, 1), 1.0);
  EXPECT_EQ(lambda(1, 2), c.lam12);
  EXPECT_EQ(lambda(2, 1), c.lam21);
  EXPECT_EQ(lambda(2, 2), 1.0);
  EXPECT_EQ(lambda(3, 3), 9.0);  // nothing outside the 2 x 2 corner
  EXPECT_EQ(lambda(1, 3), 9.0);
  EXPECT_EQ(mixstate.rcal, 1.98721);
  EXPECT_EQ(mixstate.vpmode, 1);
  EXPECT_EQ(mixstate.vpa[1], c.a2);
  EXPECT_EQ(mixstate.vpc[0], c.c1);
  EXPECT_EQ(mixstate.mw[1], c.mw2);
}

TEST_F(Exports, CallsWriteOnlyTheirOwnFields) {
  // Every byte of the record starts as a sentinel; after a call only the fields of the
  // two components, the 2 x 2 corner of lambda and the scalars the call sets may differ,
  // plus x(3..10) in vle2wilymF and wv(3..10) in vle2wilyF, which they clear.
  struct casedef {
    exportfn fn;
    bool clearsx, clearswv;
  };
  const casedef cases[] = {{vle2wiltmF, false, false}, {vle2wiltF, false, false},
                           {vle2wilymF, true, false},  {vle2wilyF, false, true}};
  for (const casedef& k : cases) {
    std::memset(&mixstate, 0x5a, sizeof mixstate);
    const mixstaterec before = mixstate;
    call c;
    const double result = c(k.fn);
    ASSERT_NE(result, failval);
    const auto unchangedfrom3 = [](const double (&now)[maxcomp], const double (&was)[maxcomp]) {
      return std::memcmp(now + 2, was + 2, sizeof now - 2 * sizeof now[0]) == 0;
    };
    const mixstaterec& ms = mixstate;
    EXPECT_TRUE(unchangedfrom3(ms.gam, before.gam));
    EXPECT_TRUE(unchangedfrom3(ms.y, before.y));
    EXPECT_TRUE(unchangedfrom3(ms.vpa, before.vpa));
    EXPECT_TRUE(unchangedfrom3(ms.vpb, before.vpb));
    EXPECT_TRUE(unchangedfrom3(ms.vpc, before.vpc));
    EXPECT_TRUE(unchangedfrom3(ms.wl, before.wl));
    EXPECT_TRUE(unchangedfrom3(ms.mw, before.mw));
    // Entries 1 and 2 of wv: vle2wilyF writes them, with wl(1..2), through moltomass
    // from the solver's compositions and returns wv(1); the others leave them alone.
    if (k.clearswv) {
      const auto x = vec(ms.x), y = vec(ms.y), mw = vec(ms.mw);
      const double sl = x(1) * mw(1) + x(2) * mw(2), sv = y(1) * mw(1) + y(2) * mw(2);
      for (int i = 1; i <= 2; ++i) {
        EXPECT_TRUE(samebits(vec(ms.wl)(i), (x(i) * mw(i)) / sl)) << i;
        EXPECT_TRUE(samebits(vec(ms.wv)(i), (y(i) * mw(i)) / sv)) << i;
      }
      EXPECT_TRUE(samebits(result, ms.wv[0]));
    } else {
      EXPECT_EQ(std::memcmp(ms.wv, before.wv, 2 * sizeof ms.wv[0]), 0);
    }
    EXPECT_EQ(unchangedfrom3(ms.x, before.x), !k.clearsx);
    EXPECT_EQ(unchangedfrom3(ms.wv, before.wv), !k.clearswv);
    for (int i = 2; i < maxcomp; ++i) {
      if (k.clearsx) {
        EXPECT_EQ(ms.x[i], 0.0);
      }
      if (k.clearswv) {
        EXPECT_EQ(ms.wv[i], 0.0);
      }
    }
    // Never written by an exported call.
    EXPECT_EQ(std::memcmp(ms.vpd, before.vpd, sizeof ms.vpd), 0);
    EXPECT_EQ(std::memcmp(ms.vpe, before.vpe, sizeof ms.vpe), 0);
    EXPECT_EQ(std::memcmp(ms.wila, before.wila, sizeof ms.wila), 0);
    EXPECT_EQ(std::memcmp(ms.wilg, before.wilg, sizeof ms.wilg), 0);
    EXPECT_EQ(std::memcmp(ms.vliq, before.vliq, sizeof ms.vliq), 0);
    const auto l = mat<maxcomp>(mixstate.lambda);
    const auto lb = mat<maxcomp>(before.lambda);
    for (int i = 1; i <= maxcomp; ++i) {
      for (int j = 1; j <= maxcomp; ++j) {
        if (i > 2 || j > 2) {
          EXPECT_TRUE(samebits(l(i, j), lb(i, j)));
        }
      }
    }
    EXPECT_EQ(ms.rcal, 1.98721);
  }
}

TEST_F(Exports, ConversionsInvertEachOther) {
  mixstate.nc = 3;
  const double x[] = {0.2, 0.3, 0.5}, y[] = {0.6, 0.3, 0.1}, mw[] = {58.08, 32.04, 18.015};
  for (int i = 0; i < 3; ++i) {
    mixstate.x[i] = x[i];
    mixstate.y[i] = y[i];
    mixstate.mw[i] = mw[i];
  }
  moltomass();
  EXPECT_NEAR(mixstate.wl[0], 0.2 * 58.08 / (0.2 * 58.08 + 0.3 * 32.04 + 0.5 * 18.015), 1e-16);
  masstomol();
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(mixstate.x[i], x[i], 1e-15);
    EXPECT_NEAR(mixstate.y[i], y[i], 1e-15);
  }
  // A count outside 1..maxcomp changes nothing.
  for (std::int32_t nc : {0, -1, maxcomp + 1}) {
    mixstate.nc = nc;
    const double before = mixstate.wl[0];
    mixstate.x[0] = 0.9;
    moltomass();
    EXPECT_EQ(mixstate.wl[0], before);
    const double xbefore = mixstate.x[0];
    mixstate.wl[0] = 0.1;
    masstomol();
    EXPECT_EQ(mixstate.x[0], xbefore);
  }
}

}  // namespace
