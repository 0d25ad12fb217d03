// ASOG (liqasog): group part from the group activity coefficients in the mixture and
// in each pure component, plus the Flory-Huggins size part.
#include <cmath>

#include "actwork.h"
#include "view.h"

namespace corvane {

void actasog(const double (&x)[maxcomp], double tk, double (&gam)[maxcomp]) {
  const modelparrec& mp = modelpar;
  actworkrec& w = actwork;
  const int nc = mixstate.nc;
  const int ng = mp.ng;
  // A group count above the capacity would index past every group array: write nothing.
  if (ng > maxgrp) return;

  const auto xv = vec(x);
  const auto g = vec(gam);
  const auto fhsize = vec(mp.fhsize);
  const auto nu = mat<maxgrp>(mp.nuasog);
  const auto lngk = vec(w.lngk);
  const auto lngkpure = mat<maxcomp>(w.lngkpure);

  if (ng >= 1) {
    const auto asogm = mat<maxgrp>(mp.asogm);
    const auto asogn = mat<maxgrp>(mp.asogn);
    const auto psi = mat<maxgrp>(w.psiasog);
    const auto xgrp = vec(w.xgrp);
    const auto xgrppure = mat<maxcomp>(w.xgrppure);
    const auto asogsum = vec(w.asogsum);
    const auto asogsumpure = mat<maxgrp>(w.asogsumpure);
    // Every sum below runs over its index in ascending order from 0. Where a sum runs
    // down a column of psi it is formed from the transpose, so that the innermost loops
    // run over contiguous storage and the sums of all groups advance side by side.
    double psitbuf[maxgrp * maxgrp];
    const auto psit = mat<maxgrp>(psitbuf);
    double accbuf[maxgrp];
    const auto acc = vec(accbuf);
    // Group interaction factors; the diagonal like every other element.
    for (int m = 1; m <= ng; ++m)
      for (int k = 1; k <= ng; ++k) {
        const double e = std::exp(asogn(k, m) / tk + asogm(k, m));
        psi(k, m) = e;
        psit(m, k) = e;
      }
    // A group l absent from pure component i contributes exactly zero terms to the sums
    // of i where the rows and columns of psi that meet it are finite (and, for the terms
    // divided by asogsumpure(l,i), where that divisor is neither 0 nor NaN): those terms
    // are skipped; with an infinite or NaN factor they are formed as usual.
    bool rowokbuf[maxgrp], colokbuf[maxgrp];
    finitelines(ng, psi, rowokbuf, colokbuf);
    const auto rowok = vec(rowokbuf), colok = vec(colokbuf);

    // Group fractions of the mixture, normalised by the total group count.
    double s = 0.0;
    for (int i = 1; i <= nc; ++i)
      for (int k = 1; k <= ng; ++k) s += xv(i) * nu(k, i);
    for (int k = 1; k <= ng; ++k) acc(k) = 0.0;
    for (int i = 1; i <= nc; ++i)
      for (int k = 1; k <= ng; ++k) acc(k) += xv(i) * nu(k, i);
    for (int k = 1; k <= ng; ++k) xgrp(k) = acc(k) / s;

    // Group fractions of each pure component.
    for (int i = 1; i <= nc; ++i) {
      double si = 0.0;
      for (int m = 1; m <= ng; ++m) si += nu(m, i);
      for (int k = 1; k <= ng; ++k) xgrppure(i, k) = nu(k, i) / si;
    }

    // Mixture: sums along the rows of psi, then ln Gamma(k) with the sums down the
    // columns, each term divided by the row sum of its own row.
    for (int k = 1; k <= ng; ++k) asogsum(k) = 0.0;
    for (int m = 1; m <= ng; ++m)
      for (int k = 1; k <= ng; ++k) asogsum(k) += xgrp(m) * psi(k, m);
    for (int k = 1; k <= ng; ++k) acc(k) = 0.0;
    for (int l = 1; l <= ng; ++l)
      for (int k = 1; k <= ng; ++k) acc(k) += (xgrp(l) * psit(k, l)) / asogsum(l);
    for (int k = 1; k <= ng; ++k) lngk(k) = (1.0 - std::log(asogsum(k))) - acc(k);

    // The same for each pure component; every component is done before the result.
    for (int i = 1; i <= nc; ++i) {
      for (int k = 1; k <= ng; ++k) asogsumpure(k, i) = 0.0;
      for (int m = 1; m <= ng; ++m) {
        const double xm = xgrppure(i, m);
        if (xm == 0.0 && colok(m)) continue;
        for (int k = 1; k <= ng; ++k) asogsumpure(k, i) += xm * psi(k, m);
      }
    }
    for (int i = 1; i <= nc; ++i) {
      for (int k = 1; k <= ng; ++k) acc(k) = 0.0;
      for (int l = 1; l <= ng; ++l) {
        const double xl = xgrppure(i, l), sl = asogsumpure(l, i);
        if (xl == 0.0 && rowok(l) && sl != 0.0 && sl == sl) continue;
        for (int k = 1; k <= ng; ++k) acc(k) += (xl * psit(k, l)) / sl;
      }
      for (int k = 1; k <= ng; ++k)
        lngkpure(i, k) = (1.0 - std::log(asogsumpure(k, i))) - acc(k);
    }
  }

  // Size term (on the mole fractions as given, not normalised) and the result. With no
  // groups the group part is 0.
  double d = 0.0;
  for (int j = 1; j <= nc; ++j) d += fhsize(j) * xv(j);
  for (int i = 1; i <= nc; ++i) {
    const double p = fhsize(i) / d;
    double gi = 0.0;
    for (int k = 1; k <= ng; ++k) gi += nu(k, i) * (lngk(k) - lngkpure(i, k));
    const double lngam = ((gi + 1.0) + std::log(p)) - p;
    g(i) = std::exp(lngam);
  }
}

}  // namespace corvane
