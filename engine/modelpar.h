// The parameters of the NRTL, UNIQUAC, ASOG and UNIFAC-family models: one process-wide
// record, zero when the library is loaded, read only by actcoef. Its group-contribution
// fields have the shapes and the order of the loaders' output arguments, so that a
// caller can pass them to a loader directly.
#pragma once
#include <cstdint>

#include "mixstate.h"

namespace corvane {

constexpr int maxgrp = 30;                   // capacity of every per-group array

struct modelparrec {
  double qk[maxgrp];                         // UNIFAC family: Q(k) by group; UNIQUAC: q(i) by component
  double rk[maxgrp];                         // UNIFAC family: R(k) by group; UNIQUAC: r(i) by component
  double nuk[maxgrp * maxcomp];              // nu(k,i): groups k in component i
  double amn[maxgrp * maxgrp];               // a(n,m), K
  double bmn[maxgrp * maxgrp];               // b(n,m), modified UNIFAC
  double cmn[maxgrp * maxgrp];               // c(n,m), 1/K, modified UNIFAC
  double uqu[maxcomp * maxcomp];             // UNIQUAC u(j,i), cal/mol
  double nrtlalpha[maxcomp * maxcomp];       // NRTL alpha(j,i)
  double nrtlg[maxcomp * maxcomp];           // NRTL g(j,i), cal/mol
  std::int32_t ng;                           // number of groups of the model in use
  double fhsize[maxgrp];                     // ASOG Flory-Huggins size, by component
  double nuasog[maxgrp * maxcomp];           // ASOG nu(k,i)
  double asogm[maxgrp * maxgrp];             // ASOG m(k,l)
  double asogn[maxgrp * maxgrp];             // ASOG n(k,l), K
};

extern modelparrec modelpar;

}  // namespace corvane
