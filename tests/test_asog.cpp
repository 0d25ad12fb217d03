// ASOG of actcoef, and the bubble point with it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>

#include "actcoef.h"
#include "actwork.h"
#include "bubpt.h"
#include "mixstate.h"
#include "modelpar.h"
#include "support.h"
#include "view.h"

namespace corvane {
namespace {

using testing::reldiff;
using testing::resetrecords;
using testing::samebits;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double untouched = -7.25;  // what gam holds before a call

// Components over the groups 1 CH2 (CH3 counts as CH2), 2 OH, 3 H2O. ASOG counts a group
// by its non-hydrogen atoms and sizes a molecule by all of them.
struct comp {
  double nu[3];
  double size;
};
constexpr comp methanol{{1.0, 1.0, 0.0}, 2.0};
constexpr comp ethanol{{2.0, 1.0, 0.0}, 3.0};
constexpr comp water{{0.0, 0.0, 1.0}, 1.0};

// Group-pair parameters m(k,l) and n(k,l) [K] for CH2, OH, H2O, as recalled from the ASOG
// tables of Tochigi, Tiegs, Gmehling & Kojima, J. Chem. Eng. Japan 23 (1990) 453. They
// are not checked against the printed table, so they serve only as realistic input: the
// expected values come from tests/asog_reference.py, which evaluates the textbook ASOG
// equations in 50-digit decimal arithmetic on these same double inputs.
constexpr double realm[3][3] = {{0.0, -41.2545, 0.5045}, {4.7125, 0.0, -5.8341}, {-0.2727, 2.4154, 0.0}};
constexpr double realn[3][3] = {{0.0, 7686.4, -219.3}, {-3060.0, 0.0, 1582.5}, {-695.4, -1191.0, 0.0}};

// Antoine constants (log10 mmHg, degC) of Poling et al. as in the reference values.
struct antoine {
  double a, b, c;
};
constexpr antoine vpmethanol{8.07786697986706, 1580.08, 239.49999999999997};
constexpr antoine vpethanol{8.211846979867062, 1648.22, 230.91799999999998};
constexpr antoine vpwater{7.990736979867062, 1687.537, 230.17};

class Asog : public ::testing::Test {
 protected:
  void SetUp() override {
    resetrecords();
    mixstate.model = liqasog;
    for (double& g : mixstate.gam) g = untouched;
  }

  // Components 1..n with their counts over ng groups (groups above 3 hold none).
  static void place(const comp* cs, int n, int ng = 3) {
    const auto nu = mat<maxgrp>(modelpar.nuasog);
    for (int i = 1; i <= n; ++i) {
      for (int k = 1; k <= 3; ++k) nu(k, i) = cs[i - 1].nu[k - 1];
      vec(modelpar.fhsize)(i) = cs[i - 1].size;
    }
    mixstate.nc = n;
    modelpar.ng = ng;
  }
  static void place(std::initializer_list<comp> cs, int ng = 3) {
    place(cs.begin(), static_cast<int>(cs.size()), ng);
  }

  static void realpairs() {
    for (int k = 1; k <= 3; ++k)
      for (int l = 1; l <= 3; ++l) {
        mat<maxgrp>(modelpar.asogm)(k, l) = realm[k - 1][l - 1];
        mat<maxgrp>(modelpar.asogn)(k, l) = realn[k - 1][l - 1];
      }
  }

  static void setx(std::initializer_list<double> xs) {
    int i = 0;
    for (double v : xs) vec(mixstate.x)(++i) = v;
  }

  static void run(double t) { actcoef(mixstate.x, t, mixstate.gam); }
  static double gam(int i) { return vec(mixstate.gam)(i); }

  static void expectaboveuntouched(int nc) {
    for (int i = nc + 1; i <= maxcomp; ++i) EXPECT_TRUE(samebits(gam(i), untouched)) << i;
  }

  // Flory-Huggins size term 1 - R + ln R, R = s(i) / sum_j s(j) x(j).
  static double sizeterm(int i) {
    double d = 0.0;
    for (int j = 1; j <= mixstate.nc; ++j) d += vec(modelpar.fhsize)(j) * vec(mixstate.x)(j);
    const double r = vec(modelpar.fhsize)(i) / d;
    return 1.0 - r + std::log(r);
  }
};

TEST_F(Asog, EthanolWaterMatchesIndependentValues) {
  place({ethanol, water});
  realpairs();
  // t degC, x1, gam1, gam2 from tests/asog_reference.py; x1 = 0 and 1 are the two
  // infinite dilutions.
  const struct {
    double t, x1, g1, g2;
  } cases[] = {
      {25, 0, 2.2963531998195328, 1},
      {25, 0.252, 1.8132530748122935, 1.0418281600301522},
      {25, 0.6, 1.2428684765161246, 1.3959126752287148},
      {25, 1, 1, 3.7637964110118416},
      {70, 0, 3.1941401373142457, 1},
      {70, 0.252, 1.8344307535721984, 1.0796970777723627},
      {70, 0.6, 1.1888864813435043, 1.4853215000479194},
      {70, 1, 1, 3.0244940601401726},
  };
  const modelparrec before = modelpar;
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "t " << c.t << " x1 " << c.x1);
    setx({c.x1, 1.0 - c.x1});
    run(c.t);
    EXPECT_LT(reldiff(gam(1), c.g1), 1e-12) << gam(1);
    EXPECT_LT(reldiff(gam(2), c.g2), 1e-12) << gam(2);
    expectaboveuntouched(2);
  }
  EXPECT_EQ(std::memcmp(&before, &modelpar, sizeof modelpar), 0) << "modelpar was written";
}

TEST_F(Asog, TernaryMatchesIndependentValues) {
  place({methanol, ethanol, water});
  realpairs();
  setx({0.2, 0.3, 0.5});
  run(25.0);
  const double want[] = {1.3830180560510958, 1.3996634974679325, 1.2227829028042532};
  for (int i = 1; i <= 3; ++i) EXPECT_LT(reldiff(gam(i), want[i - 1]), 1e-12) << i;
  expectaboveuntouched(3);
}

TEST_F(Asog, BubblePointMatchesIndependentSolution) {
  // Bubble points at 101325 Pa from tests/asog_reference.py (bisection on the pressure
  // equation in decimal arithmetic).
  const struct {
    int nc;
    comp cs[3];
    antoine vp[3];
    double x[3];
    double t;
    double y[3];
  } cases[] = {
      {2, {ethanol, water}, {vpethanol, vpwater}, {0.252, 0.748}, 83.756672912683001,
       {0.55815470397704459, 0.44184529602295536}},
      {3, {methanol, ethanol, water}, {vpmethanol, vpethanol, vpwater}, {0.2, 0.3, 0.5},
       75.234368569276597, {0.39790839816514029, 0.34845148644008594, 0.25364011539477377}},
  };
  for (const auto& c : cases) {
    const int nc = c.nc;
    SCOPED_TRACE(nc);
    SetUp();
    place(c.cs, nc);
    realpairs();
    mixstate.vpmode = vpantoine;
    for (int i = 1; i <= nc; ++i) {
      vec(mixstate.x)(i) = c.x[i - 1];
      vec(mixstate.vpa)(i) = c.vp[i - 1].a;
      vec(mixstate.vpb)(i) = c.vp[i - 1].b;
      vec(mixstate.vpc)(i) = c.vp[i - 1].c;
    }
    mixstate.p = 101325.0;
    mixstate.t = 90.0;
    std::int32_t ierr = -1;
    bubpt(mixstate.x, mixstate.y, mixstate.t, mixstate.p, ierr);
    ASSERT_EQ(ierr, 0);
    EXPECT_NEAR(mixstate.t, c.t, 1e-9);
    double ysum = 0.0;
    for (int k = 1; k <= nc; ++k) {
      EXPECT_NEAR(vec(mixstate.y)(k), c.y[k - 1], 1e-11) << k;
      ysum += vec(mixstate.y)(k);
    }
    EXPECT_NEAR(ysum, 1.0, 1e-12);

    // The returned temperature satisfies the pressure equation on its own.
    run(mixstate.t);
    double pm = 0.0;
    for (int k = 1; k <= nc; ++k) {
      const double psat = std::pow(10.0, vec(mixstate.vpa)(k) - vec(mixstate.vpb)(k) /
                                             (vec(mixstate.vpc)(k) + mixstate.t));
      pm += vec(mixstate.x)(k) * gam(k) * psat;
    }
    EXPECT_LT(reldiff(pm, 760.0), 1e-11);
  }
}

TEST_F(Asog, WithoutGroupsOnlyTheSizeTermRemains) {
  for (const std::int32_t ng : {0, -3}) {
    SCOPED_TRACE(ng);
    SetUp();
    mixstate.nc = 3;
    modelpar.ng = ng;
    setx({0.2, 0.3, 0.5});
    const double sizes[] = {1.0, 2.5, 4.0};
    for (int i = 1; i <= maxgrp; ++i) vec(modelpar.fhsize)(i) = i <= 3 ? sizes[i - 1] : nan;
    // Group data that would poison the result if it were read.
    for (double& v : modelpar.nuasog) v = nan;
    for (double& v : modelpar.asogm) v = nan;
    std::memset(&actwork, 0x5a, sizeof actwork);
    const actworkrec before = actwork;
    run(25.0);
    // D = 0.2 + 0.75 + 2 = 2.95; R(i) = size(i) / D.
    for (int i = 1; i <= 3; ++i) {
      const double r = sizes[i - 1] / 2.95;
      EXPECT_LT(reldiff(gam(i), std::exp(1.0 - r + std::log(r))), 1e-15) << i;
    }
    expectaboveuntouched(3);
    EXPECT_EQ(std::memcmp(&before, &actwork, sizeof actwork), 0) << "work arrays were written";
  }
}

TEST_F(Asog, PureOrIdenticalComponentsGiveOne) {
  realpairs();
  mat<maxgrp>(modelpar.asogm)(2, 2) = 0.7;  // a non-zero diagonal as well
  mat<maxgrp>(modelpar.asogn)(1, 1) = -120.0;
  const comp odd{{2.0, 1.0, 0.5}, 4.0};
  for (const double t : {-20.0, 25.0, 140.0}) {
    SCOPED_TRACE(t);
    for (double& g : mixstate.gam) g = untouched;
    place({odd});
    setx({1.0});
    run(t);
    EXPECT_NEAR(gam(1), 1.0, 1e-15);
    expectaboveuntouched(1);

    place({odd, odd, odd});
    setx({0.2, 0.3, 0.5});
    run(t);
    for (int i = 1; i <= 3; ++i) EXPECT_NEAR(gam(i), 1.0, 1e-14) << i;
    expectaboveuntouched(3);
  }
}

TEST_F(Asog, FullCapacityIdenticalComponentsGiveOne) {
  // nc = maxcomp and ng = maxgrp: every work array used to its last element.
  mixstate.nc = maxcomp;
  modelpar.ng = maxgrp;
  const auto nu = mat<maxgrp>(modelpar.nuasog);
  for (int i = 1; i <= maxcomp; ++i) {
    vec(mixstate.x)(i) = 0.1;
    vec(modelpar.fhsize)(i) = 17.0;
    for (int k = 1; k <= maxgrp; ++k) nu(k, i) = 1.0 + (k % 4);
  }
  for (int l = 1; l <= maxgrp; ++l)
    for (int k = 1; k <= maxgrp; ++k) {
      mat<maxgrp>(modelpar.asogm)(k, l) = 0.05 * ((k * 7 + l * 3) % 11) - 0.25;
      mat<maxgrp>(modelpar.asogn)(k, l) = 20.0 * ((k * 5 + l * 13) % 17) - 160.0;
    }
  run(60.0);
  for (int i = 1; i <= maxcomp; ++i) EXPECT_NEAR(gam(i), 1.0, 1e-12) << i;
}

TEST_F(Asog, ZeroPairParametersLeaveTheSizeTerm) {
  place({methanol, ethanol, water});
  setx({0.1, 0.25, 0.65});
  run(50.0);
  for (int k = 1; k <= 3; ++k)
    for (int m = 1; m <= 3; ++m) EXPECT_EQ(mat<maxgrp>(actwork.psiasog)(k, m), 1.0);
  for (int i = 1; i <= 3; ++i) EXPECT_LT(reldiff(gam(i), std::exp(sizeterm(i))), 1e-14) << i;
}

TEST_F(Asog, OneGroupLeavesTheSizeTerm) {
  // n-hexane / n-octane: CH2 groups only, so the group part vanishes whatever the
  // single pair's parameters, and only the size difference remains.
  place({{{6.0, 0.0, 0.0}, 6.0}, {{8.0, 0.0, 0.0}, 8.0}}, 1);
  modelpar.asogm[0] = 0.8;
  modelpar.asogn[0] = -300.0;
  setx({0.35, 0.65});
  std::memset(&actwork, 0xff, sizeof actwork);  // stale NaN everywhere
  run(20.0);
  for (int i = 1; i <= 2; ++i) EXPECT_LT(reldiff(gam(i), std::exp(sizeterm(i))), 1e-14) << i;
  EXPECT_GT(std::fabs(sizeterm(1)), 1e-3);
}

TEST_F(Asog, PairParametersAreOrdered) {
  // One group per component and equal sizes: the size term is 0 and the group part is
  // the Wilson equation with Lambda12 = psi(1,2) and Lambda21 = psi(2,1).
  const double a = -0.4, b = 150.0, t = 35.0, tk = t + 273.15;
  const double x1 = 0.25, x2 = 0.75;
  const double psi = std::exp(b / tk + a);
  for (const bool first : {true, false}) {
    SCOPED_TRACE(first ? "pair (1,2)" : "pair (2,1)");
    SetUp();
    place({{{1.0, 0.0, 0.0}, 2.0}, {{0.0, 1.0, 0.0}, 2.0}}, 2);
    setx({x1, x2});
    mat<maxgrp>(modelpar.asogm)(first ? 1 : 2, first ? 2 : 1) = a;
    mat<maxgrp>(modelpar.asogn)(first ? 1 : 2, first ? 2 : 1) = b;
    run(t);
    const auto w = mat<maxgrp>(actwork.psiasog);
    EXPECT_TRUE(samebits(w(first ? 1 : 2, first ? 2 : 1), psi));
    EXPECT_EQ(w(first ? 2 : 1, first ? 1 : 2), 1.0);
    EXPECT_EQ(w(1, 1), 1.0);
    EXPECT_EQ(w(2, 2), 1.0);

    const double l12 = first ? psi : 1.0, l21 = first ? 1.0 : psi;
    const double q = l12 / (x1 + l12 * x2) - l21 / (l21 * x1 + x2);
    EXPECT_LT(reldiff(gam(1), std::exp(-std::log(x1 + l12 * x2) + x2 * q)), 1e-14);
    EXPECT_LT(reldiff(gam(2), std::exp(-std::log(x2 + l21 * x1) - x1 * q)), 1e-14);
  }
}

TEST_F(Asog, DiagonalParametersEnterTheFactors) {
  // A constant added along a whole row k of asogm scales row k of psi, which cancels
  // from the group part; the same constant on the diagonal alone does not.
  place({methanol, ethanol, water});
  realpairs();
  setx({0.2, 0.3, 0.5});
  run(40.0);
  double base[3];
  for (int i = 1; i <= 3; ++i) base[i - 1] = gam(i);

  const auto m = mat<maxgrp>(modelpar.asogm);
  m(2, 2) = 0.9;
  run(40.0);
  EXPECT_TRUE(samebits(mat<maxgrp>(actwork.psiasog)(2, 2), std::exp(0.0 / 313.15 + 0.9)));
  EXPECT_GT(reldiff(gam(1), base[0]), 1e-3);

  m(2, 1) += 0.9;
  m(2, 3) += 0.9;
  run(40.0);
  for (int i = 1; i <= 3; ++i) EXPECT_LT(reldiff(gam(i), base[i - 1]), 1e-13) << i;
}

TEST_F(Asog, WithoutTemperatureParametersTheResultIgnoresT) {
  place({methanol, ethanol, water});
  realpairs();
  for (double& v : modelpar.asogn) v = 0.0;
  setx({0.2, 0.3, 0.5});
  run(25.0);
  double ref[3];
  for (int i = 1; i <= 3; ++i) ref[i - 1] = gam(i);
  EXPECT_GT(std::fabs(ref[1] - 1.0), 1e-2);  // the group part is not trivially zero
  for (const double t : {-150.0, 0.0, 99.5, 480.0}) {
    run(t);
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(samebits(gam(i), ref[i - 1])) << t << " " << i;
  }
}

TEST_F(Asog, ScaledFractionsChangeOnlyTheSizeTerm) {
  place({methanol, ethanol, water});
  realpairs();
  const double x[] = {0.2, 0.3, 0.5};
  setx({x[0], x[1], x[2]});
  run(30.0);
  double lng[3], size[3], xg[3], lg[3];
  for (int i = 1; i <= 3; ++i) {
    lng[i - 1] = std::log(gam(i));
    size[i - 1] = sizeterm(i);
    xg[i - 1] = vec(actwork.xgrp)(i);
    lg[i - 1] = vec(actwork.lngk)(i);
  }
  for (const double c : {2.0, 0.3, 7.0}) {
    SCOPED_TRACE(c);
    setx({c * x[0], c * x[1], c * x[2]});
    run(30.0);
    for (int i = 1; i <= 3; ++i) {
      EXPECT_LT(reldiff(vec(actwork.xgrp)(i), xg[i - 1]), 1e-15);
      EXPECT_LT(reldiff(vec(actwork.lngk)(i), lg[i - 1]), 1e-14);
      if (c == 2.0) {  // exact scaling: the group fractions are bit for bit the same
        EXPECT_TRUE(samebits(vec(actwork.xgrp)(i), xg[i - 1]));
        EXPECT_TRUE(samebits(vec(actwork.lngk)(i), lg[i - 1]));
      }
      // Only the size term moves: R(i) is divided by c.
      EXPECT_NEAR(std::log(gam(i)) - lng[i - 1], sizeterm(i) - size[i - 1], 1e-13) << i;
      EXPECT_GT(std::fabs(sizeterm(i) - size[i - 1]), 1e-2);
    }
  }
}

TEST_F(Asog, NothingIsWrittenOutsideTheCapacities) {
  const struct {
    std::int32_t nc, ng;
  } cases[] = {{2, maxgrp + 1}, {2, std::numeric_limits<std::int32_t>::max()},
               {0, 3}, {-1, 3}, {maxcomp + 1, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "nc " << c.nc << " ng " << c.ng);
    SetUp();
    place({ethanol, water});
    realpairs();
    setx({0.4, 0.6});
    mixstate.nc = c.nc;
    modelpar.ng = c.ng;
    std::memset(&actwork, 0x5a, sizeof actwork);
    const actworkrec before = actwork;
    run(25.0);
    expectaboveuntouched(0);
    EXPECT_EQ(std::memcmp(&before, &actwork, sizeof actwork), 0);
  }
}

TEST_F(Asog, EarlierContentsOfTheWorkArraysDoNotMatter) {
  place({methanol, ethanol, water});
  realpairs();
  setx({0.2, 0.3, 0.5});
  run(45.0);
  double clean[3];
  for (int i = 1; i <= 3; ++i) clean[i - 1] = gam(i);
  std::memset(&actwork, 0xff, sizeof actwork);  // every element NaN
  run(45.0);
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(samebits(gam(i), clean[i - 1])) << i;
}

TEST_F(Asog, ExtremeFactorsReachComponentsWithoutTheGroup) {
  // A group that a pure component lacks still enters its sums: 0 x inf and 0 / 0 are
  // NaN, not skipped as zero.
  place({ethanol, water});
  realpairs();
  setx({0.4, 0.6});
  const auto m = mat<maxgrp>(modelpar.asogm);
  const auto psi = mat<maxgrp>(actwork.psiasog), sumpure = mat<maxgrp>(actwork.asogsumpure);
  const auto lnpure = mat<maxcomp>(actwork.lngkpure);

  m(3, 1) = 800.0;  // psi(3,1) = exp(800) overflows; water lacks group 1
  run(25.0);
  EXPECT_TRUE(std::isinf(psi(3, 1)));
  EXPECT_TRUE(std::isnan(sumpure(3, 2)));  // 0 x inf
  EXPECT_TRUE(std::isnan(lnpure(1, 1)));   // ethanol lacks group 3: (0 x inf) / inf
  EXPECT_TRUE(std::isnan(gam(1)));
  EXPECT_TRUE(std::isnan(gam(2)));

  // psi(3,1) = psi(3,2) = 0 underflow: ethanol's sum of row 3 is 0, and the terms it
  // divides are 0 / 0.
  m(3, 1) = -800.0;
  m(3, 2) = -800.0;
  run(25.0);
  EXPECT_EQ(sumpure(3, 1), 0.0);
  for (int k = 1; k <= 3; ++k) EXPECT_TRUE(std::isnan(lnpure(1, k))) << k;
  EXPECT_TRUE(std::isnan(gam(1)));
}

TEST_F(Asog, DegenerateInputsRunOnInIeeeArithmetic) {
  const comp empty{{0.0, 0.0, 0.0}, 2.0};
  const struct {
    const char* what;
    comp c1, c2;
    double x1, x2;
    bool nan1, nan2;   // expected NaN
    bool zero1;        // gam(1) exactly 0
  } cases[] = {
      {"all mole fractions zero", ethanol, water, 0.0, 0.0, true, true, false},
      {"a component without groups", ethanol, empty, 0.4, 0.6, false, true, false},
      {"all sizes zero", {{2.0, 1.0, 0.0}, 0.0}, {{0.0, 0.0, 1.0}, 0.0}, 0.4, 0.6, true, true, false},
      {"one size zero", {{2.0, 1.0, 0.0}, 0.0}, water, 0.4, 0.6, false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    place({c.c1, c.c2});
    realpairs();
    setx({c.x1, c.x2});
    run(25.0);
    EXPECT_EQ(std::isnan(gam(1)), c.nan1) << gam(1);
    EXPECT_EQ(std::isnan(gam(2)), c.nan2) << gam(2);
    if (c.zero1) {
      EXPECT_EQ(gam(1), 0.0);
    } else if (!c.nan1) {
      EXPECT_TRUE(std::isfinite(gam(1)) && gam(1) > 0.0) << gam(1);
    }
    if (!c.nan2) {
      EXPECT_TRUE(std::isfinite(gam(2)) && gam(2) > 0.0) << gam(2);
    }
  }
}

}  // namespace
}  // namespace corvane
