// ASOG (liqasog): group part from the group activity coefficients in the mixture and
// in each pure component, plus the Flory-Huggins size part.
#include <cmath>

#include "actwork.h"
#include "view.h"

namespace corvane {

namespace {

// Group interaction factors, the diagonal like every other element, and the transposed
// copy psit.
void asogfactors(int ng, double tk, const view<double>& psit) {
  const modelparrec& mp = modelpar;
  const auto asogm = mat<maxgrp>(mp.asogm);
  const auto asogn = mat<maxgrp>(mp.asogn);
  const auto psi = mat<maxgrp>(actwork.psiasog);
  for (int m = 1; m <= ng; ++m)
    for (int k = 1; k <= ng; ++k) {
      const double e = std::exp(asogn(k, m) / tk + asogm(k, m));
      psi(k, m) = e;
      psit(m, k) = e;
    }
}

// Group fractions of the mixture, normalised by the total group count, and of each pure
// component.
void asogfracs(const double (&x)[maxcomp], int nc, int ng) {
  const auto xv = vec(x);
  const auto nu = mat<maxgrp>(modelpar.nuasog);
  const auto xgrp = vec(actwork.xgrp);
  const auto xgrppure = mat<maxcomp>(actwork.xgrppure);
  double accbuf[maxgrp];
  const auto acc = vec(accbuf);
  double s = 0.0;
  for (int i = 1; i <= nc; ++i)
    for (int k = 1; k <= ng; ++k) s += xv(i) * nu(k, i);
  for (int k = 1; k <= ng; ++k) acc(k) = 0.0;
  for (int i = 1; i <= nc; ++i)
    for (int k = 1; k <= ng; ++k) acc(k) += xv(i) * nu(k, i);
  for (int k = 1; k <= ng; ++k) xgrp(k) = acc(k) / s;

  for (int i = 1; i <= nc; ++i) {
    double si = 0.0;
    for (int m = 1; m <= ng; ++m) si += nu(m, i);
    for (int k = 1; k <= ng; ++k) xgrppure(i, k) = nu(k, i) / si;
  }
}

// Mixture: sums along the rows of psi, then ln Gamma(k) with the sums down the columns,
// each term divided by the row sum of its own row.
void asogmix(int ng, const view<double>& psit) {
  actworkrec& w = actwork;
  const auto psi = mat<maxgrp>(w.psiasog);
  const auto xgrp = vec(w.xgrp), asogsum = vec(w.asogsum), lngk = vec(w.lngk);
  double accbuf[maxgrp];
  const auto acc = vec(accbuf);
  for (int k = 1; k <= ng; ++k) asogsum(k) = 0.0;
  for (int m = 1; m <= ng; ++m)
    for (int k = 1; k <= ng; ++k) asogsum(k) += xgrp(m) * psi(k, m);
  for (int k = 1; k <= ng; ++k) acc(k) = 0.0;
  for (int l = 1; l <= ng; ++l)
    for (int k = 1; k <= ng; ++k) acc(k) += (xgrp(l) * psit(k, l)) / asogsum(l);
  for (int k = 1; k <= ng; ++k) lngk(k) = (1.0 - std::log(asogsum(k))) - acc(k);
}

// The same for each pure component: the row sums of every component first, then the
// ln Gamma of each.
//
// A group l absent from pure component i contributes exactly zero terms to the sums of
// i where the rows and columns of psi that meet it are finite (and, for the terms
// divided by asogsumpure(l,i), where that divisor is neither 0 nor NaN): those terms are
// skipped; with an infinite or NaN factor they are formed as usual.
void asogpure(int nc, int ng, const view<double>& psit, const view<bool>& rowok,
              const view<bool>& colok) {
  actworkrec& w = actwork;
  const auto psi = mat<maxgrp>(w.psiasog);
  const auto xgrppure = mat<maxcomp>(w.xgrppure), lngkpure = mat<maxcomp>(w.lngkpure);
  const auto asogsumpure = mat<maxgrp>(w.asogsumpure);
  double accbuf[maxgrp];
  const auto acc = vec(accbuf);
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

// Size term (on the mole fractions as given, not normalised) and the coefficients. With
// no groups the group part is 0.
void asogcoefficients(const double (&x)[maxcomp], int nc, int ng, double (&gam)[maxcomp]) {
  const modelparrec& mp = modelpar;
  const auto xv = vec(x);
  const auto g = vec(gam);
  const auto fhsize = vec(mp.fhsize);
  const auto nu = mat<maxgrp>(mp.nuasog);
  const auto lngk = vec(actwork.lngk);
  const auto lngkpure = mat<maxcomp>(actwork.lngkpure);
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

}  // namespace

// Every sum runs over its index in ascending order from 0. Where a sum runs down a
// column of psi it is formed from the transpose, so that the innermost loops run over
// contiguous storage and the sums of all groups advance side by side.
void actasog(const double (&x)[maxcomp], double tk, double (&gam)[maxcomp]) {
  const int nc = mixstate.nc;
  const int ng = modelpar.ng;
  // A group count above the capacity would index past every group array: write nothing.
  if (ng > maxgrp) return;

  if (ng >= 1) {
    double psitbuf[maxgrp * maxgrp];
    const auto psit = mat<maxgrp>(psitbuf);
    asogfactors(ng, tk, psit);
    bool rowokbuf[maxgrp], colokbuf[maxgrp];
    finitelines(ng, mat<maxgrp>(actwork.psiasog), rowokbuf, colokbuf);
    const auto rowok = vec(rowokbuf), colok = vec(colokbuf);
    asogfracs(x, nc, ng);
    asogmix(ng, psit);
    asogpure(nc, ng, psit, rowok, colok);
  }
  asogcoefficients(x, nc, ng, gam);
}

}  // namespace corvane
