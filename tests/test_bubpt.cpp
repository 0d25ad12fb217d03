// The bubble-point solver: its Newton iteration, its range and pass limits and its two
// messages.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "bubpt.h"
#include "mixstate.h"
#include "support.h"
#include "view.h"

namespace {

using namespace corvane;
using corvane::testing::reldiff;
using corvane::testing::resetrecords;
using corvane::testing::samebits;

class Bubpt : public ::testing::Test {
 protected:
  void SetUp() override { resetrecords(); }

  // Runs the solver on the record's own fields, capturing what it writes.
  std::int32_t run(std::string& out) {
    std::int32_t ierr = 7;
    ::testing::internal::CaptureStdout();
    bubpt(mixstate.x, mixstate.y, mixstate.t, mixstate.p, ierr);
    out = ::testing::internal::GetCapturedStdout();
    return ierr;
  }

  // One component, ideal, extended form with vapour pressure exactly 1 Pa at any
  // temperature and a non-zero derivative: at p = 1 Pa the residual is exactly 0 and
  // the Newton step is exactly 0, so the start is returned unchanged.
  void flatpure() {
    mixstate.nc = 1;
    mixstate.model = liqideal;
    mixstate.vpmode = vpext;
    mixstate.vpc[0] = 1.0e-300;
    mixstate.x[0] = 1.0;
    mixstate.p = 1.0;
  }
};

TEST_F(Bubpt, TernaryWilsonAgreesWithIndependentLibrary) {
  // Acetone(1)/methanol(2)/water(3), Wilson energies from ChemSep, Antoine constants as
  // thermo ships them; the expected values were computed with thermo 0.6.1.
  mixstaterec& ms = mixstate;
  ms.nc = 3;
  ms.model = liqwilson;
  ms.wilmode = wilenergy;
  ms.rcal = 1.98721;
  ms.vpmode = vpantoine;
  const double wila[3][3] = {{0.0, -161.8813, 439.64}, {583.1054, 0.0, 205.3}, {1405.49, 482.16, 0.0}};
  const auto w = mat<maxcomp>(ms.wila);
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) w(i, j) = wila[i - 1][j - 1];
  const double vliq[] = {1.0, 0.5512387829671743, 0.2446877378498509};
  const double vpa[] = {7.093496979867062, 8.07786697986706, 7.990736979867062};
  const double vpb[] = {1197.01, 1580.08, 1687.537};
  const double vpc[] = {228.05999999999997, 239.49999999999997, 230.17};
  const double x[] = {0.2, 0.3, 0.5};
  for (int i = 0; i < 3; ++i) {
    ms.vliq[i] = vliq[i];
    ms.vpa[i] = vpa[i];
    ms.vpb[i] = vpb[i];
    ms.vpc[i] = vpc[i];
    ms.x[i] = x[i];
  }
  ms.t = 80.61552047224431;
  ms.p = 101325.0;
  std::string out;
  EXPECT_EQ(run(out), 0);
  EXPECT_EQ(out, "");
  EXPECT_LT(reldiff(ms.t + 273.15, 63.796587792196696 + 273.15), 1e-13);
  const double yref[] = {0.5125075103008891, 0.32591027507326953, 0.16158221462584194};
  for (int i = 0; i < 3; ++i) EXPECT_LT(reldiff(ms.y[i], yref[i]), 1e-11) << i;
}

TEST_F(Bubpt, PureComponentAtItsBoilingPointConvergesInTheFirstPass) {
  mixstaterec& ms = mixstate;
  ms.nc = 2;
  ms.model = liqideal;
  ms.vpmode = vpantoine;
  ms.vpa[0] = 8.07131;  // water, Antoine constants for log10 mmHg and degrees Celsius
  ms.vpb[0] = 1730.63;
  ms.vpc[0] = 233.426;
  ms.vpa[1] = 7.0;
  ms.vpb[1] = 1500.0;
  ms.vpc[1] = 220.0;
  ms.x[0] = 1.0;
  ms.x[1] = 0.0;
  ms.p = 101325.0;
  const double tb = ms.vpb[0] / (ms.vpa[0] - std::log10(760.0)) - ms.vpc[0];
  // At the boiling point, and a little above it with a residual (about 4e-13) still
  // within the tolerance. One pass runs: y is the vapour fraction at the start and t the
  // start minus one Newton step. A second pass would move y(1) by about the residual.
  for (const double t0 : {tb, tb + 1e-11}) {
    SCOPED_TRACE(t0 - tb);
    ms.t = t0;
    std::string out;
    EXPECT_EQ(run(out), 0);
    EXPECT_EQ(out, "");
    const double pm = 760.0;  // 101325 Pa
    const double d = ms.vpc[0] + t0;
    const double psat = std::pow(10.0, ms.vpa[0] - ms.vpb[0] / d);
    const double dpsat = psat * std::log(10.0) * ms.vpb[0] / (d * d);
    ASSERT_LT(std::fabs(psat / pm - 1.0), 1e-12);
    EXPECT_TRUE(samebits(ms.y[0], psat / pm)) << ms.y[0] - psat / pm;
    EXPECT_TRUE(samebits(ms.t, t0 - (psat - pm) / dpsat)) << ms.t - (t0 - (psat - pm) / dpsat);
    EXPECT_NEAR(ms.t, tb, 1e-12);  // one tiny step
    if (t0 == tb) {
      EXPECT_NEAR(ms.y[0], 1.0, 1e-13);
    } else {
      ASSERT_GT(std::fabs(psat / pm - 1.0), 1e-13);
    }
    EXPECT_EQ(ms.y[1], 0.0);
    EXPECT_EQ(ms.gam[0], 1.0);
  }
}

TEST_F(Bubpt, RangeBoundsAreInclusiveAndTestedBeforeConvergence) {
  struct casedef {
    double start;
    std::int32_t ierr;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const casedef cases[] = {{500.0, 0},
                           {-100.0, 0},
                           {std::nextafter(500.0, inf), 1},
                           {std::nextafter(-100.0, -inf), 1}};
  for (const casedef& k : cases) {
    resetrecords();
    flatpure();
    mixstate.t = k.start;
    std::string out;
    EXPECT_EQ(run(out), k.ierr) << k.start;
    // The residual is 0 in every case: a step outside the range fails all the same.
    EXPECT_EQ(mixstate.y[0], 1.0);
    EXPECT_EQ(mixstate.t, k.start);
    EXPECT_EQ(out, k.ierr ? " Temperature range over(bp)\n" : "");
  }
}

TEST_F(Bubpt, NoComponentsStepsToInfinityAndFails) {
  for (std::int32_t nc : {0, -2}) {
    resetrecords();
    mixstate.nc = nc;
    mixstate.model = liqwilson;
    mixstate.vpmode = vpantoine;
    mixstate.p = 101325.0;
    mixstate.t = 50.0;
    mixstate.y[0] = 0.25;
    std::string out;
    EXPECT_EQ(run(out), 1);
    EXPECT_EQ(out, " Temperature range over(bp)\n");
    EXPECT_EQ(mixstate.t, std::numeric_limits<double>::infinity());
    EXPECT_EQ(mixstate.y[0], 0.25);
  }
}

TEST_F(Bubpt, CountAboveCapacityIsRefusedAtOnce) {
  mixstate.nc = maxcomp + 1;
  mixstate.model = liqideal;
  mixstate.t = 50.0;
  mixstate.p = 101325.0;
  mixstate.y[0] = 0.25;
  mixstate.gam[0] = 3.0;
  std::string out;
  EXPECT_EQ(run(out), 1);
  EXPECT_EQ(out, "");
  EXPECT_EQ(mixstate.t, 50.0);
  EXPECT_EQ(mixstate.y[0], 0.25);
  EXPECT_EQ(mixstate.gam[0], 3.0);
}

TEST_F(Bubpt, NanStartIsTakenAsConverged) {
  flatpure();
  mixstate.vpmode = vpantoine;
  mixstate.vpa[0] = 8.0;
  mixstate.vpb[0] = 1700.0;
  mixstate.vpc[0] = 230.0;
  mixstate.p = 101325.0;
  mixstate.t = std::numeric_limits<double>::quiet_NaN();
  std::string out;
  EXPECT_EQ(run(out), 0);
  EXPECT_EQ(out, "");
  EXPECT_TRUE(std::isnan(mixstate.t));
}

// A vapour pressure so steep that no representable temperature brings the residual
// within 1e-12: the iteration stays at the root, within range, and runs out of passes.
void steep(bool antoine) {
  mixstaterec& ms = mixstate;
  ms.nc = 2;
  ms.model = liqideal;
  ms.x[0] = 0.5;
  ms.x[1] = 0.5;
  ms.p = 101325.0;
  if (antoine) {
    ms.vpmode = vpantoine;
    for (int i = 0; i < 2; ++i) {
      ms.vpb[i] = 1.0e8;
      ms.vpc[i] = 230.0;
      ms.vpa[i] = ms.vpb[i] / (ms.vpc[i] + 80.0) + std::log10(760.0);
    }
  } else {
    ms.vpmode = 3;
    for (int i = 0; i < 2; ++i) {
      ms.vpb[i] = -1.0e9;
      ms.vpa[i] = std::log(101325.0) - ms.vpb[i] / (80.0 + 273.15);
    }
  }
  ms.t = 80.0;
}

// Splits a "Wrong cal bp" line into its numbers, checking the 24-character fields.
std::vector<double> passfields(const std::string& out) {
  const std::string head = " Wrong cal bp";
  EXPECT_EQ(out.compare(0, head.size(), head), 0) << out;
  EXPECT_EQ(out.back(), '\n');
  const std::string body = out.substr(head.size(), out.size() - head.size() - 1);
  EXPECT_EQ(body.size() % 24, 0u) << body;
  std::vector<double> v;
  for (std::size_t i = 0; i + 24 <= body.size(); i += 24)
    v.push_back(std::strtod(body.substr(i, 24).c_str(), nullptr));
  return v;
}

// The "Wrong cal bp" line of the given numbers, each in its "%#24.15G" field.
std::string passline(std::initializer_list<double> v) {
  std::string s = " Wrong cal bp";
  for (double d : v) {
    char b[64];
    std::snprintf(b, sizeof b, "%#24.15G", d);
    s += b;
  }
  return s + "\n";
}

TEST_F(Bubpt, PassLimitWritesTheMoleFractionsAndTheTemperature) {
  steep(true);
  std::string out;
  EXPECT_EQ(run(out), 1);
  const std::vector<double> v = passfields(out);
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0], 0.5);
  EXPECT_EQ(v[1], 0.5);
  EXPECT_LT(reldiff(v[2], mixstate.t), 1e-14);  // 15 significant digits
  EXPECT_NEAR(mixstate.t, 80.0, 1e-6);
  EXPECT_EQ(out, passline({0.5, 0.5, mixstate.t}));
}

TEST_F(Bubpt, NinetyNinePassesRunAndNoMore) {
  // ln(Psat/Pa) = TK - 273.15, so that at p = 1 Pa every Newton step is exactly -1 K
  // (1 - 1/Psat rounds to 1) and the residual stays far from 0: from 450 degrees the
  // 99 steps end exactly at 351 degrees.
  mixstaterec& ms = mixstate;
  ms.nc = 1;
  ms.model = liqideal;
  ms.vpmode = vpext;
  ms.x[0] = 1.0;
  ms.vpa[0] = -273.15;
  ms.vpd[0] = 1.0;
  ms.vpe[0] = 1.0;
  ms.p = 1.0;
  ms.t = 450.0;
  std::string out;
  EXPECT_EQ(run(out), 1);
  EXPECT_EQ(ms.t, 351.0);
  const std::vector<double> v = passfields(out);
  ASSERT_EQ(v.size(), 1u);  // the extended form writes no temperature
  EXPECT_EQ(v[0], 1.0);
}

TEST_F(Bubpt, PassLimitInTheExtendedFormWritesTheMoleFractionsOnly) {
  steep(false);
  std::string out;
  EXPECT_EQ(run(out), 1);
  const std::vector<double> v = passfields(out);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[0], 0.5);
  EXPECT_NEAR(mixstate.t, 80.0, 1e-6);
  EXPECT_EQ(out, passline({0.5, 0.5}));
}

// Runs one failing solve in a child process whose standard output is a pipe, fully
// buffered in a buffer far larger than any message, and which ends with _exit(), which
// flushes nothing: the parent reads only what the solver flushed itself. (The test
// capture of standard output flushes when it is read, which would hide a missing flush.)
std::string unflushedoutput(void (*setup)()) {
  std::fflush(stdout);
  int fd[2];
  if (pipe(fd) != 0) return "no pipe";
  const pid_t pid = fork();
  if (pid == 0) {
    close(fd[0]);
    dup2(fd[1], STDOUT_FILENO);
    close(fd[1]);
    static char buf[1 << 16];
    std::setvbuf(stdout, buf, _IOFBF, sizeof buf);
    resetrecords();
    setup();
    std::int32_t ierr = 0;
    bubpt(mixstate.x, mixstate.y, mixstate.t, mixstate.p, ierr);
    _exit(ierr == 1 ? 0 : 1);
  }
  close(fd[1]);
  std::string out;
  char b[256];
  ssize_t n;
  while ((n = read(fd[0], b, sizeof b)) > 0) out.append(b, static_cast<std::size_t>(n));
  close(fd[0]);
  int status = -1;
  EXPECT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the solve did not fail";
  return out;
}

TEST_F(Bubpt, EachFailureMessageIsFlushedAtOnce) {
  struct casedef {
    const char* name;
    void (*setup)();
    std::string head;
    std::size_t size;
  };
  const casedef cases[] = {
      {"range",
       [] {
         mixstate.vpmode = vpantoine;  // no components: the first step is infinite
         mixstate.p = 101325.0;
       },
       " Temperature range over(bp)\n", 28},
      {"passes", [] { steep(true); }, " Wrong cal bp", 13 + 3 * 24 + 1},
  };
  for (const casedef& k : cases) {
    SCOPED_TRACE(k.name);
    const std::string out = unflushedoutput(k.setup);
    EXPECT_EQ(out.compare(0, k.head.size(), k.head), 0) << out;
    EXPECT_EQ(out.size(), k.size) << out;
  }
}

TEST_F(Bubpt, ExtendedFormMatchesItsClosedForm) {
  // ln(P/Pa) = A + B/T + C ln T + D T^E for one ideal component; at the returned
  // temperature the vapour pressure equals the pressure.
  mixstaterec& ms = mixstate;
  ms.nc = 1;
  ms.model = liqideal;
  ms.vpmode = 0;
  ms.x[0] = 1.0;
  // Water, DIPPR 101 coefficients (Perry's Handbook): A 73.649, B -7258.2, C -7.3037,
  // D 4.1653e-6, E 2.
  ms.vpa[0] = 73.649;
  ms.vpb[0] = -7258.2;
  ms.vpc[0] = -7.3037;
  ms.vpd[0] = 4.1653e-6;
  ms.vpe[0] = 2.0;
  ms.p = 101325.0;
  ms.t = 90.0;
  std::string out;
  EXPECT_EQ(run(out), 0);
  const double tk = ms.t + 273.15;
  const double lnp = 73.649 - 7258.2 / tk - 7.3037 * std::log(tk) + 4.1653e-6 * tk * tk;
  EXPECT_NEAR(lnp, std::log(101325.0), 1e-12);
  EXPECT_NEAR(ms.t, 100.0, 0.1);  // and it is the normal boiling point of water
}

}  // namespace
