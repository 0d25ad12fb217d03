// ASOG (model 4): group part from the group activity coefficients in the mixture and
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

    // Group interaction factors; the diagonal like every other element.
    for (int m = 1; m <= ng; ++m)
      for (int k = 1; k <= ng; ++k) psi(k, m) = std::exp(asogn(k, m) / tk + asogm(k, m));

    // Group fractions of the mixture, normalised by the total group count.
    double s = 0.0;
    for (int i = 1; i <= nc; ++i)
      for (int k = 1; k <= ng; ++k) s += xv(i) * nu(k, i);
    for (int k = 1; k <= ng; ++k) {
      double sk = 0.0;
      for (int i = 1; i <= nc; ++i) sk += xv(i) * nu(k, i);
      xgrp(k) = sk / s;
    }

    // Group fractions of each pure component.
    for (int i = 1; i <= nc; ++i) {
      double si = 0.0;
      for (int m = 1; m <= ng; ++m) si += nu(m, i);
      for (int k = 1; k <= ng; ++k) xgrppure(i, k) = nu(k, i) / si;
    }

    // Mixture: sums along the rows of psi, then ln Gamma(k) with the column sums, each
    // term divided by the row sum of its own row.
    for (int k = 1; k <= ng; ++k) {
      double sk = 0.0;
      for (int m = 1; m <= ng; ++m) sk += xgrp(m) * psi(k, m);
      asogsum(k) = sk;
    }
    for (int k = 1; k <= ng; ++k) {
      double tsum = 0.0;
      for (int l = 1; l <= ng; ++l) tsum += (xgrp(l) * psi(l, k)) / asogsum(l);
      lngk(k) = (1.0 - std::log(asogsum(k))) - tsum;
    }

    // The same for each pure component; every component is done before the result.
    for (int i = 1; i <= nc; ++i)
      for (int k = 1; k <= ng; ++k) {
        double sk = 0.0;
        for (int m = 1; m <= ng; ++m) sk += xgrppure(i, m) * psi(k, m);
        asogsumpure(k, i) = sk;
      }
    for (int i = 1; i <= nc; ++i)
      for (int k = 1; k <= ng; ++k) {
        double tsum = 0.0;
        for (int l = 1; l <= ng; ++l) tsum += (xgrppure(i, l) * psi(l, k)) / asogsumpure(l, i);
        lngkpure(i, k) = (1.0 - std::log(asogsumpure(k, i))) - tsum;
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
