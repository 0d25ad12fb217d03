// Bubble-point solver: Newton's method on the temperature with the activity
// coefficients held constant in the derivative.
#include "bubpt.h"

#include <cmath>
#include <cstdio>

#include "actcoef.h"
#include "units.h"
#include "view.h"

namespace corvane {

namespace {

constexpr double ln10 = 2.302585092994046;
constexpr double tlow = -100.0, thigh = 500.0;
constexpr double tol = 1.0E-12;
constexpr int passlimit = 100;               // at most passlimit - 1 passes run

// The failure lines go to standard output, flushed, so that a host sees them in order.
void msgrange() {
  std::fputs(" Temperature range over(bp)\n", stdout);
  std::fflush(stdout);
}

void msgpasses(const double (&x)[maxcomp], int nc, const double* t) {
  std::fputs(" Wrong cal bp", stdout);
  for (int i = 1; i <= nc; ++i) std::printf("%#24.15G", vec(x)(i));
  if (t) std::printf("%#24.15G", *t);
  std::fputs("\n", stdout);
  std::fflush(stdout);
}

}  // namespace

void bubpt(const double (&x)[maxcomp], double (&y)[maxcomp], double& t, const double& p,
           std::int32_t& ierr) {
  mixstaterec& ms = mixstate;
  ierr = 0;
  const int nc = ms.nc;
  // A count above the capacity would index past every array: refuse it.
  if (nc > maxcomp) {
    ierr = 1;
    return;
  }
  const bool antoine = ms.vpmode == vpantoine;
  const double pm = antoine ? (p / patm) * mmhgatm : p;
  const auto xv = vec(x);
  const auto yv = vec(y), gam = vec(ms.gam);
  const auto vpa = vec(ms.vpa), vpb = vec(ms.vpb), vpc = vec(ms.vpc), vpd = vec(ms.vpd),
             vpe = vec(ms.vpe);

  int k = 0;
  for (;;) {
    k = k + 1;
    if (k >= passlimit) {
      msgpasses(x, nc, antoine ? &t : nullptr);
      ierr = 1;
      return;
    }
    actcoef(x, t, ms.gam);

    const double temp = t;
    double f = 0.0, fp = 0.0, s = 0.0;
    for (int i = 1; i <= nc; ++i) {
      double psat, dpsat;
      if (antoine) {
        const double d = vpc(i) + temp;
        psat = std::pow(10.0, vpa(i) - vpb(i) / d);
        dpsat = psat * ln10 * vpb(i) / (d * d);
      } else {
        const double tk = temp + tkzero;
        psat = std::exp(vpa(i) + vpb(i) / tk + vpc(i) * std::log(tk) + vpd(i) * std::pow(tk, vpe(i)));
        dpsat = psat * (vpc(i) / tk - vpb(i) / (tk * tk) + vpd(i) * vpe(i) * std::pow(tk, vpe(i) - 1.0));
      }
      yv(i) = gam(i) * xv(i) * psat / pm;
      f += gam(i) * xv(i) * psat;
      fp += gam(i) * xv(i) * dpsat;
      s += yv(i);
    }
    f = f - pm;
    s = s - 1.0;

    t = temp - f / fp;
    if (t < tlow || t > thigh) {
      msgrange();
      ierr = 1;
      return;
    }
    if (std::fabs(s) > tol) continue;
    return;
  }
}

}  // namespace corvane
