// actcoef: the model dispatch, the ideal solution and the three forms of Wilson.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "actcoef.h"
#include "mixstate.h"
#include "support.h"
#include "view.h"

namespace {

using namespace corvane;
using corvane::testing::reldiff;
using corvane::testing::resetrecords;
using corvane::testing::samebits;

// Callers store the codes as plain numbers: they keep the values the record has always
// held.
static_assert(liqideal == 0 && liqwilson == 1 && liqnrtl == 2 && liquniquac == 3 &&
                  liqasog == 4 && liqdortmund == 5 && liqunifac == 6,
              "model codes");
static_assert(wilenergy == 1 && wilinter == 2 && wilstored == 3, "Wilson forms");
static_assert(vpantoine == 1 && vpext != vpantoine, "vapour-pressure forms");

class Wilson : public ::testing::Test {
 protected:
  void SetUp() override {
    resetrecords();
    for (double& g : mixstate.gam) g = -3.0;
    for (double& l : mixstate.lambda) l = 0.7;
    mixstate.rcal = 1.98721;
  }
  void eval(double t) { actcoef(mixstate.x, t, mixstate.gam); }
  // Ethanol(1)/water(2) in the Wilson form wilenergy: energy differences (cal/mol) from
  // ChemSep, molar volumes relative to ethanol.
  static void ethanolwater(double x1) {
    mixstate.model = liqwilson;
    mixstate.wilmode = wilenergy;
    mixstate.nc = 2;
    const auto w = mat<maxcomp>(mixstate.wila);
    w(1, 2) = 382.3;
    w(2, 1) = 955.45;
    mixstate.vliq[0] = 1.0;
    mixstate.vliq[1] = 0.30822430767498554;
    mixstate.x[0] = x1;
    mixstate.x[1] = 1.0 - x1;
  }
  static void binary(double x1, double l12, double l21) {
    mixstate.nc = 2;
    mixstate.model = liqwilson;
    mixstate.wilmode = wilstored;
    const auto l = mat<maxcomp>(mixstate.lambda);
    l(1, 1) = 1.0;
    l(2, 2) = 1.0;
    l(1, 2) = l12;
    l(2, 1) = l21;
    mixstate.x[0] = x1;
    mixstate.x[1] = 1.0 - x1;
  }
};

TEST_F(Wilson, ModelWithoutAnEquationOrNoComponentsWritesNothing) {
  struct casedef {
    std::int32_t model, nc, wilmode;
  };
  const casedef cases[] = {{7, 2, wilenergy},
                           {-1, 2, wilinter},
                           {7, 2, wilstored},
                           {liqwilson, 0, wilenergy},
                           {liqwilson, -1, wilinter},
                           {liqideal, 0, wilenergy},
                           {liqwilson, maxcomp + 1, wilenergy}};
  for (const casedef& k : cases) {
    SetUp();
    mixstate.model = k.model;
    mixstate.nc = k.nc;
    mixstate.wilmode = k.wilmode;
    mixstate.x[0] = mixstate.x[1] = 0.5;
    mixstate.vliq[0] = mixstate.vliq[1] = 1.0;
    eval(25.0);
    for (double g : mixstate.gam) EXPECT_EQ(g, -3.0) << k.model << " " << k.nc;
    for (double l : mixstate.lambda) EXPECT_EQ(l, 0.7);
  }
}

TEST_F(Wilson, IdealSolutionIsExactlyOne) {
  mixstate.model = liqideal;
  mixstate.nc = 3;
  mixstate.x[0] = -4.0;  // neither x nor t matters
  eval(std::nan(""));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(mixstate.gam[i], 1.0);
  for (int i = 3; i < maxcomp; ++i) EXPECT_EQ(mixstate.gam[i], -3.0);
}

TEST_F(Wilson, BinaryMatchesTheTwoComponentForm) {
  const double l12s[] = {0.17876482090130066, 1.0, 2.5};
  const double l21s[] = {0.831489365296479, 0.3, 1.0};
  for (double x1 : {0.0, 0.1, 0.252, 0.5, 0.9}) {
    for (int k = 0; k < 3; ++k) {
      const double l12 = l12s[k], l21 = l21s[k];
      binary(x1, l12, l21);
      eval(25.0);
      const double x2 = 1.0 - x1;
      const double d = l12 / (x1 + l12 * x2) - l21 / (l21 * x1 + x2);
      const double g1 = std::exp(-std::log(x1 + l12 * x2) + x2 * d);
      const double g2 = std::exp(-std::log(x2 + l21 * x1) - x1 * d);
      EXPECT_LT(reldiff(mixstate.gam[0], g1), 1e-14) << x1;
      EXPECT_LT(reldiff(mixstate.gam[1], g2), 1e-14) << x1;
    }
  }
}

TEST_F(Wilson, InfiniteDilutionIsExact) {
  binary(1.0, 0.4, 0.6);
  eval(25.0);
  EXPECT_EQ(mixstate.gam[0], 1.0);
  EXPECT_TRUE(samebits(mixstate.gam[1], std::exp((1.0 - 0.4) - std::log(0.6))));
}

TEST_F(Wilson, MoleFractionsAreNotNormalised) {
  mixstate.model = liqwilson;
  mixstate.wilmode = wilstored;
  mixstate.nc = 3;
  for (double& l : mixstate.lambda) l = 1.0;
  const double x[] = {0.2, 0.3, 0.7};  // they sum to 1.2
  for (int i = 0; i < 3; ++i) mixstate.x[i] = x[i];
  eval(25.0);
  for (int i = 0; i < 3; ++i) EXPECT_LT(reldiff(mixstate.gam[i], 1.0 / 1.2), 1e-15);
}

TEST_F(Wilson, EthanolWaterFromEnergiesAgreesWithIndependentLibrary) {
  // The expected values were computed with thermo 0.6.1.
  ethanolwater(0.252);
  eval(25.0);
  EXPECT_LT(reldiff(mixstate.gam[0], 2.180472779869107), 1e-13);
  EXPECT_LT(reldiff(mixstate.gam[1], 1.1769066007768942), 1e-13);
}

TEST_F(Wilson, EnergyFormsBuildOnlyTheUsedCornerOfLambda) {
  mixstate.model = liqwilson;
  mixstate.nc = 3;
  mixstate.x[0] = 0.2;
  mixstate.x[1] = 0.3;
  mixstate.x[2] = 0.5;
  for (int i = 0; i < 3; ++i) mixstate.vliq[i] = 40.0;
  const auto lambda = mat<maxcomp>(mixstate.lambda);

  // wilenergy with zero energies and equal volumes: the corner becomes 1, the rest stays.
  mixstate.wilmode = wilenergy;
  eval(60.0);
  for (int i = 1; i <= maxcomp; ++i)
    for (int j = 1; j <= maxcomp; ++j) EXPECT_EQ(lambda(i, j), (i <= 3 && j <= 3) ? 1.0 : 0.7);

  // A non-zero diagonal energy is not ignored.
  mat<maxcomp>(mixstate.wila)(2, 2) = 150.0;
  eval(60.0);
  EXPECT_TRUE(samebits(lambda(2, 2), std::exp(-(150.0 / (1.98721 * (60.0 + 273.15))))));
}

TEST_F(Wilson, FormTwoHasAUnitDiagonalAndIgnoresARowConstant) {
  mixstate.model = liqwilson;
  mixstate.wilmode = wilinter;
  mixstate.nc = 3;
  const double vliq[] = {74.05, 40.73, 18.07};
  const double g[3][3] = {{-1200.0, -900.0, -650.0}, {-1010.0, -1500.0, -700.0}, {-300.0, -550.0, -2100.0}};
  const auto wilg = mat<maxcomp>(mixstate.wilg);
  for (int i = 1; i <= 3; ++i) {
    mixstate.vliq[i - 1] = vliq[i - 1];
    mixstate.x[i - 1] = 1.0 / 3.0;
    for (int j = 1; j <= 3; ++j) wilg(i, j) = g[i - 1][j - 1];
  }
  eval(45.0);
  const auto lambda = mat<maxcomp>(mixstate.lambda);
  double before[3][3];
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(lambda(i, i), 1.0);
    for (int j = 1; j <= 3; ++j) before[i - 1][j - 1] = lambda(i, j);
  }
  // Shift the reference of row 2 by a constant.
  for (int j = 1; j <= 3; ++j) wilg(2, j) += 333.0;
  eval(45.0);
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) EXPECT_LT(reldiff(lambda(i, j), before[i - 1][j - 1]), 1e-14);
  // wilinter is lambda(j,i) = (v(i)/v(j)) exp(-(g(j,i) - g(j,j)) / (R T)).
  const double tk = 45.0 + 273.15;
  EXPECT_LT(reldiff(lambda(1, 3), (vliq[2] / vliq[0]) * std::exp(-(g[0][2] - g[0][0]) / (1.98721 * tk))), 1e-14);
}

TEST_F(Wilson, StoredMatrixOutlivesTheCallThatBuiltIt) {
  ethanolwater(0.3);
  eval(20.0);
  const double g1 = mixstate.gam[0], g2 = mixstate.gam[1];
  // Every form but wilenergy and wilinter uses the matrix of 20 degrees, whatever
  // energies stand.
  mat<maxcomp>(mixstate.wila)(1, 2) = 0.0;
  for (std::int32_t mode : {wilstored, 0, -1, 4}) {
    mixstate.wilmode = mode;
    mixstate.gam[0] = mixstate.gam[1] = -3.0;
    eval(90.0);
    EXPECT_EQ(mixstate.gam[0], g1) << mode;
    EXPECT_EQ(mixstate.gam[1], g2) << mode;
  }
}

TEST_F(Wilson, EnergyFormsKeepTheirOrderOfOperations) {
  // Inputs for which the written bracketings and their nearest alternatives round
  // differently: wilenergy forms the volume ratio before the product, wilinter divides by
  // rcal and then by TK.
  mixstate.model = liqwilson;
  mixstate.nc = 2;
  mixstate.x[0] = 0.4;
  mixstate.x[1] = 0.6;
  mixstate.vliq[0] = 0.7;
  mixstate.vliq[1] = 0.31;
  const double t = 37.3, tk = t + 273.15, r = mixstate.rcal;
  const auto lambda = mat<maxcomp>(mixstate.lambda);

  const auto wila = mat<maxcomp>(mixstate.wila);
  wila(2, 1) = 955.45;
  mixstate.wilmode = wilenergy;
  eval(t);
  const double e1 = std::exp(-(955.45 / (r * tk)));
  EXPECT_TRUE(samebits(lambda(2, 1), e1 * (0.7 / 0.31)));
  ASSERT_FALSE(samebits(e1 * (0.7 / 0.31), (e1 * 0.7) / 0.31));

  const auto wilg = mat<maxcomp>(mixstate.wilg);
  wilg(2, 1) = -1000.3;
  wilg(2, 2) = -650.3;
  mixstate.wilmode = wilinter;
  eval(t);
  const double d = -1000.3 - -650.3;
  EXPECT_TRUE(samebits(lambda(2, 1), std::exp(-((d / r) / tk)) * (0.7 / 0.31)));
  ASSERT_FALSE(samebits(std::exp(-((d / r) / tk)), std::exp(-(d / (r * tk)))));
}

TEST_F(Wilson, DegenerateInputsGiveIeeeValues) {
  binary(0.0, 0.4, 0.6);
  mixstate.x[1] = 0.0;  // all mole fractions zero
  eval(25.0);
  EXPECT_TRUE(std::isnan(mixstate.gam[0]));
  EXPECT_TRUE(std::isnan(mixstate.gam[1]));
  binary(0.5, -2.0, 0.6);  // a negative row sum
  eval(25.0);
  EXPECT_TRUE(std::isnan(mixstate.gam[0]));
}

}  // namespace
