// Work arrays of actcoef: process-wide, private to the activity-coefficient models,
// zero when the library is loaded. Every element a model reads is written earlier in
// the same call, so nothing passes from one call, or from one model, to the next.
#pragma once
#include "modelpar.h"
#include "view.h"

namespace corvane {

struct actworkrec {
  // NRTL and UNIQUAC
  double tau[maxcomp * maxcomp];             // tau(i,j) of whichever of the two runs
  double gnrtl[maxcomp * maxcomp];           // NRTL G(i,j)
  double thetauq[maxcomp];                   // UNIQUAC area fractions theta(k)
  double luq[maxcomp];                       // UNIQUAC l(k)
  // UNIFAC family
  double psi[maxgrp * maxgrp];               // psi(n,m)
  double qcomp[maxcomp];                     // q_i
  double rcomp[maxcomp];                     // r_i
  double thetagrp[maxgrp];                   // theta_k of the mixture
  double thetapsi[maxgrp];                   // S_m of the mixture
  double thetapure[maxgrp * maxcomp];        // theta_k^(i) at (k,i)
  double thetapsipure[maxgrp * maxcomp];     // S_m^(i) at (m,i)
  // shared by the UNIFAC family and ASOG
  double xgrp[maxgrp];                       // group mole fractions of the mixture
  double lngk[maxgrp];                       // ln Gamma_k of the mixture
  double xgrppure[maxcomp * maxgrp];         // group mole fraction of group k in pure i, at (i,k)
  double lngkpure[maxcomp * maxgrp];         // ln Gamma_k of pure i, at (i,k)
  // ASOG
  double psiasog[maxgrp * maxgrp];           // psiasog(k,m)
  double asogsum[maxgrp];                    // sum over m of xgrp(m) psiasog(k,m)
  double asogsumpure[maxgrp * maxcomp];      // the same for pure i, at (k,i)
};

extern actworkrec actwork;

// Which rows and columns 1..ng of the group interaction factors psi (entries never
// negative) are finite throughout. A term that meets a finite row or column and a zero
// group fraction is exactly zero, and a sum that starts from +0 is never -0, so the
// group models may skip such terms without changing a bit of their results.
void finitelines(int ng, const view<double>& psi, bool (&rowok)[maxgrp], bool (&colok)[maxgrp]);

// The model branches of actcoef. Each is entered with 1 <= nc <= maxcomp and the
// kelvin temperature tk, and writes gam(1..nc).
void actnrtl(const double (&x)[maxcomp], double tk, double (&gam)[maxcomp]);
void actuniquac(const double (&x)[maxcomp], double tk, double (&gam)[maxcomp]);
void actasog(const double (&x)[maxcomp], double tk, double (&gam)[maxcomp]);
void actunifac(const double (&x)[maxcomp], double tk, double (&gam)[maxcomp], bool modified);

}  // namespace corvane
