// UNIFAC (liqunifac) and modified UNIFAC, Dortmund form (liqdortmund).
//
// ln gamma_i is a combinatorial part, from the sizes r_i and areas q_i of the
// molecules, plus a residual part, sum over k of nu(k,i) (ln Gamma_k - ln Gamma_k^(i)),
// from the group activity coefficients in the mixture and in pure component i. The
// Dortmund form has a temperature-dependent psi and a modified volume fraction built
// from r_i^0.75; everything else is shared.
#include <cmath>

#include "actwork.h"
#include "view.h"

namespace corvane {

namespace {

// 1. Group interaction factors, psi(n,m) from the parameters of the same pair (n,m),
// and the transposed copy psit for the sums that run down the columns of psi.
void groupfactors(int ng, double tk, bool modified, const view<double>& psit) {
  const modelparrec& mp = modelpar;
  const auto psi = mat<maxgrp>(actwork.psi);
  const auto amn = mat<maxgrp>(mp.amn);
  // The exponents first (a loop without calls), then the exponentials.
  if (modified) {
    const auto bmn = mat<maxgrp>(mp.bmn), cmn = mat<maxgrp>(mp.cmn);
    for (int m = 1; m <= ng; ++m)
      for (int n = 1; n <= ng; ++n)
        psi(n, m) = ((-amn(n, m) / tk) - bmn(n, m)) - cmn(n, m) * tk;
  } else {
    for (int m = 1; m <= ng; ++m)
      for (int n = 1; n <= ng; ++n) psi(n, m) = -amn(n, m) / tk;
  }
  for (int m = 1; m <= ng; ++m)
    for (int n = 1; n <= ng; ++n) {
      const double e = std::exp(psi(n, m));
      psi(n, m) = e;
      psit(m, n) = e;
    }
}

// 2. Area and volume parameters of the components.
void compsizes(int nc, int ng) {
  const modelparrec& mp = modelpar;
  const auto qk = vec(mp.qk), rk = vec(mp.rk);
  const auto nuk = mat<maxgrp>(mp.nuk);
  const auto qc = vec(actwork.qcomp), rc = vec(actwork.rcomp);
  for (int i = 1; i <= nc; ++i) {
    double q = 0.0, r = 0.0;
    for (int k = 1; k <= ng; ++k) {
      q += nuk(k, i) * qk(k);
      r += nuk(k, i) * rk(k);
    }
    qc(i) = q;
    rc(i) = r;
  }
}

// 3. Group mole fractions of the mixture; the total is the sum over every group and
// component of x_j nu(m,j).
void mixfracs(const double (&x)[maxcomp], int nc, int ng) {
  const auto xv = vec(x);
  const auto nuk = mat<maxgrp>(modelpar.nuk);
  const auto xgrp = vec(actwork.xgrp);
  double total = 0.0;
  for (int k = 1; k <= ng; ++k) {
    double sum = 0.0;
    for (int j = 1; j <= nc; ++j) sum += xv(j) * nuk(k, j);
    xgrp(k) = sum;
    total += sum;
  }
  for (int k = 1; k <= ng; ++k) xgrp(k) = xgrp(k) / total;
}

// 4. Group area fractions of the mixture.
void mixareas(int ng) {
  const auto qk = vec(modelpar.qk);
  const auto xgrp = vec(actwork.xgrp), thetagrp = vec(actwork.thetagrp);
  double sum = 0.0;
  for (int m = 1; m <= ng; ++m) sum += qk(m) * xgrp(m);
  for (int k = 1; k <= ng; ++k) thetagrp(k) = (qk(k) * xgrp(k)) / sum;
}

// 5, 6. The residual group activity coefficients of one group composition:
// S_m = sum over n of theta_n psi(n,m), then
// ln Gamma_k = Q_k ((1 - ln S_k) - sum over m of (psi(k,m) theta_m) / S_m).
// theta, s and lng are vector views of ng entries; psit is the transpose of psi.
// Both sums are formed for all their indices at once, walking down contiguous columns
// (of psit for S, of psi for the sums over m); each single sum still adds its terms in
// ascending order of its own index.
//
// A group absent from the composition (theta_n = 0) contributes terms that are exactly
// zero wherever the psi factors that meet it are finite (rowok(n) for the sums S,
// colok(n) with a divisor S_n that is neither 0 nor NaN for the sums over m). A sum
// that starts from +0 is never -0, so adding such a zero leaves every bit of it as it
// was: those terms are skipped. With an infinite factor they are formed as usual.
void groupres(int ng, const view<double>& psi, const view<double>& psit,
              const view<const double>& qk, const view<bool>& rowok, const view<bool>& colok,
              const view<double>& theta, const view<double>& s, const view<double>& lng) {
  // The sums accumulate in local arrays, which nothing else can alias.
  double sbuf[maxgrp], accbuf[maxgrp];
  const auto ss = vec(sbuf), acc = vec(accbuf);
  for (int m = 1; m <= ng; ++m) ss(m) = 0.0;
  for (int n = 1; n <= ng; ++n) {
    const double tn = theta(n);
    if (tn == 0.0 && rowok(n)) continue;
    for (int m = 1; m <= ng; ++m) ss(m) += tn * psit(m, n);
  }
  for (int k = 1; k <= ng; ++k) acc(k) = 0.0;
  for (int m = 1; m <= ng; ++m) {
    const double tm = theta(m), sm = ss(m);
    if (tm == 0.0 && colok(m) && sm != 0.0 && sm == sm) continue;
    for (int k = 1; k <= ng; ++k) acc(k) += (psi(k, m) * tm) / sm;
  }
  for (int m = 1; m <= ng; ++m) s(m) = ss(m);
  for (int k = 1; k <= ng; ++k) lng(k) = qk(k) * ((1.0 - std::log(ss(k))) - acc(k));
}

// 7. The residual group activity coefficients of every pure component, over every
// group, also those it lacks.
void pureres(int nc, int ng, const view<double>& psit, const view<bool>& rowok,
             const view<bool>& colok) {
  const modelparrec& mp = modelpar;
  actworkrec& w = actwork;
  const auto qk = vec(mp.qk);
  const auto nuk = mat<maxgrp>(mp.nuk);
  const auto psi = mat<maxgrp>(w.psi);
  const auto xgrppure = mat<maxcomp>(w.xgrppure), lngkpure = mat<maxcomp>(w.lngkpure);
  const auto thetapure = mat<maxgrp>(w.thetapure), thetapsipure = mat<maxgrp>(w.thetapsipure);
  for (int i = 1; i <= nc; ++i) {
    // X_k^(i) is formed in a contiguous local copy and then stored at (i,k).
    double xbuf[maxgrp], lngbuf[maxgrp];
    const auto xp = vec(xbuf);
    double nsum = 0.0;
    for (int m = 1; m <= ng; ++m) nsum += nuk(m, i);
    for (int k = 1; k <= ng; ++k) xp(k) = nuk(k, i) / nsum;
    double qsum = 0.0;
    for (int m = 1; m <= ng; ++m) qsum += qk(m) * xp(m);
    for (int k = 1; k <= ng; ++k) thetapure(k, i) = (xp(k) * qk(k)) / qsum;
    for (int k = 1; k <= ng; ++k) xgrppure(i, k) = xp(k);
    const view<double> theta{&thetapure(1, i), maxgrp};
    const view<double> s{&thetapsipure(1, i), maxgrp};
    const auto lng = vec(lngbuf);
    groupres(ng, psi, psit, qk, rowok, colok, theta, s, lng);
    for (int k = 1; k <= ng; ++k) lngkpure(i, k) = lng(k);
  }
}

// 8. Mixture sums of the combinatorial part; the Dortmund form adds sum x_j r_j^0.75.
// 9. Combinatorial and residual parts, and the coefficients.
void coefficients(const double (&x)[maxcomp], int nc, int ng, bool modified,
                  double (&gam)[maxcomp]) {
  const actworkrec& w = actwork;
  const auto xv = vec(x);
  const auto g = vec(gam);
  const auto nuk = mat<maxgrp>(modelpar.nuk);
  const auto qc = vec(w.qcomp), rc = vec(w.rcomp);
  const auto lngk = vec(w.lngk);
  const auto lngkpure = mat<maxcomp>(w.lngkpure);

  double r34buf[maxcomp];
  const auto r34 = vec(r34buf);
  double sr = 0.0, sq = 0.0, s34 = 0.0;
  for (int j = 1; j <= nc; ++j) {
    sr += xv(j) * rc(j);
    sq += xv(j) * qc(j);
  }
  if (modified) {
    for (int j = 1; j <= nc; ++j) {
      r34(j) = std::pow(rc(j), 0.75);
      s34 += xv(j) * r34(j);
    }
  }

  for (int i = 1; i <= nc; ++i) {
    const double r = rc(i), q = qc(i);
    double res = 0.0;
    for (int k = 1; k <= ng; ++k) res += nuk(k, i) * (lngk(k) - lngkpure(i, k));
    double lngam;
    if (modified) {
      const double vp = r34(i) / s34;
      const double vf = (r / sr) / (q / sq);
      lngam = (((std::log(vp) + 1.0) - vp) - (5.0 * ((std::log(vf) + 1.0) - vf)) * q) + res;
    } else {
      const double v = r / sr;
      const double vf = ((r / q) * sq) / sr;
      lngam = (((std::log(v) + 1.0) - v) - (5.0 * q) * ((std::log(vf) + 1.0) - vf)) + res;
    }
    g(i) = std::exp(lngam);
  }
}

}  // namespace

void actunifac(const double (&x)[maxcomp], double tk, double (&gam)[maxcomp], bool modified) {
  const modelparrec& mp = modelpar;
  actworkrec& w = actwork;
  const int nc = mixstate.nc;
  const int ng = mp.ng;
  // A group count above the capacity would index past every group array: write nothing.
  if (ng > maxgrp) return;

  const auto psi = mat<maxgrp>(w.psi);
  double psitbuf[maxgrp * maxgrp];
  const auto psit = mat<maxgrp>(psitbuf);
  groupfactors(ng, tk, modified, psit);
  bool rowokbuf[maxgrp], colokbuf[maxgrp];
  finitelines(ng, psi, rowokbuf, colokbuf);
  const auto rowok = vec(rowokbuf), colok = vec(colokbuf);

  compsizes(nc, ng);
  mixfracs(x, nc, ng);
  mixareas(ng);
  // Residual group activity coefficients of the mixture.
  groupres(ng, psi, psit, vec(mp.qk), rowok, colok, vec(w.thetagrp), vec(w.thetapsi),
           vec(w.lngk));
  pureres(nc, ng, psit, rowok, colok);
  coefficients(x, nc, ng, modified, gam);
}

}  // namespace corvane
