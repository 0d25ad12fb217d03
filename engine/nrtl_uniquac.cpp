// NRTL (liqnrtl) and UNIQUAC (liquniquac).
//
// Both divide the interaction energies by RT = TK x rcal, one product, and use every
// parameter element as it stands: the diagonals take part like any other element and
// nothing is symmetrised or subtracted. Sums run over 1..nc in ascending order.
#include <cmath>

#include "actwork.h"
#include "view.h"

namespace corvane {

void actnrtl(const double (&x)[maxcomp], double tk, double (&gam)[maxcomp]) {
  const int nc = mixstate.nc;
  const double rt = tk * mixstate.rcal;
  const auto xv = vec(x);
  const auto g = vec(gam);
  const auto nrtlg = mat<maxcomp>(modelpar.nrtlg);
  const auto alpha = mat<maxcomp>(modelpar.nrtlalpha);
  const auto tau = mat<maxcomp>(actwork.tau);
  const auto gn = mat<maxcomp>(actwork.gnrtl);

  // tau(i,j) = g(i,j) / RT; G(i,j) from the stored quotient.
  for (int j = 1; j <= nc; ++j)
    for (int i = 1; i <= nc; ++i) {
      tau(i, j) = nrtlg(i, j) / rt;
      gn(i, j) = std::exp(-(alpha(i, j) * tau(i, j)));
    }

  // Column sums S(j) = sum_k x(k) G(k,j) and C(j) = sum_k x(k) G(k,j) tau(k,j).
  double sbuf[maxcomp], cbuf[maxcomp];
  const auto s = vec(sbuf);
  const auto c = vec(cbuf);
  for (int j = 1; j <= nc; ++j) {
    double ss = 0.0, cc = 0.0;
    for (int k = 1; k <= nc; ++k) {
      ss += xv(k) * gn(k, j);
      cc += (xv(k) * gn(k, j)) * tau(k, j);
    }
    s(j) = ss;
    c(j) = cc;
  }

  for (int i = 1; i <= nc; ++i) {
    double sum = 0.0;
    for (int j = 1; j <= nc; ++j)
      sum += ((xv(j) * gn(i, j)) / s(j)) * (tau(i, j) - c(j) / s(j));
    const double lngam = sum + c(i) / s(i);
    g(i) = std::exp(lngam);
  }
}

void actuniquac(const double (&x)[maxcomp], double tk, double (&gam)[maxcomp]) {
  const int nc = mixstate.nc;
  const double rt = tk * mixstate.rcal;
  const auto xv = vec(x);
  const auto g = vec(gam);
  // By component here: entry i is q(i) or r(i) of component i.
  const auto q = vec(modelpar.qk);
  const auto r = vec(modelpar.rk);
  const auto uqu = mat<maxcomp>(modelpar.uqu);
  const auto tau = mat<maxcomp>(actwork.tau);
  const auto theta = vec(actwork.thetauq);
  const auto l = vec(actwork.luq);

  double sq = 0.0, sr = 0.0;
  for (int k = 1; k <= nc; ++k) {
    sq += xv(k) * q(k);
    sr += xv(k) * r(k);
  }
  // 5 is z/2 for the coordination number z = 10.
  for (int k = 1; k <= nc; ++k) {
    theta(k) = (xv(k) * q(k)) / sq;
    l(k) = 5.0 * (r(k) - q(k)) - (r(k) - 1.0);
  }
  for (int j = 1; j <= nc; ++j)
    for (int i = 1; i <= nc; ++i) tau(i, j) = std::exp(-(uqu(i, j) / rt));

  double sl = 0.0;
  for (int k = 1; k <= nc; ++k) sl += xv(k) * l(k);
  // D(k) = sum_m theta(m) tau(m,k), down column k.
  double dbuf[maxcomp];
  const auto d = vec(dbuf);
  for (int k = 1; k <= nc; ++k) {
    double dd = 0.0;
    for (int m = 1; m <= nc; ++m) dd += theta(m) * tau(m, k);
    d(k) = dd;
  }

  for (int i = 1; i <= nc; ++i) {
    double b = 0.0, c = 0.0;
    for (int k = 1; k <= nc; ++k) {
      b += theta(k) * tau(k, i);
      c += (theta(k) * tau(i, k)) / d(k);
    }
    // w = theta(i) / Phi(i) and v = Phi(i) / x(i), both formed without x(i), so a
    // component at infinite dilution gets its finite limit.
    const double w = ((sr * q(i)) / r(i)) / sq;
    const double v = r(i) / sr;
    const double lngam =
        q(i) * (5.0 * std::log(w) + ((1.0 - c) - std::log(b))) + ((l(i) - v * sl) + std::log(v));
    g(i) = std::exp(lngam);
  }
}

}  // namespace corvane
