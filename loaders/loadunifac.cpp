// The UNIFAC-family loaders: modified UNIFAC (Dortmund) and UNIFAC.
#include "loaders.h"
#include "stage.h"
#include "unifpar.h"

namespace corvane {

namespace {

// The steps both loaders share between their clearout and their parameter stage: the
// component records of compfile, the group list and the re-indexed counts. False when
// the load ends there.
bool compstage(loaderstate& st, const char* compfile, const std::int32_t n,
               const std::int32_t (&ids)[maxcomp], std::int32_t& ng,
               double (&nuk)[maxgrp * maxcomp], std::int32_t& ierr) {
  mkdatapath(st, compfile, ierr);
  if (ierr != 0) return false;
  readcomp(st, n, ids, nuk, ierr);
  if (ierr != 0) return false;
  mkgrplist(st, n, ng, ierr);
  if (ierr != 0) return false;
  reindexnu(st, n, ng, nuk);
  return true;
}

}  // namespace

void loadmunifac(const std::int32_t& nc, const std::int32_t (&ids)[maxcomp], std::int32_t& ng,
                 double (&qk)[maxgrp], double (&rk)[maxgrp], double (&nuk)[maxgrp * maxcomp],
                 double (&amn)[maxgrp * maxgrp], double (&bmn)[maxgrp * maxgrp],
                 double (&cmn)[maxgrp * maxgrp], std::int32_t& ierr) {
  loaderstate& st = munifacstate;
  const std::int32_t n = nc;  // nc may be the caller's ng, which the load rewrites
  checknc("loadmunifac", n, ierr);
  if (ierr != 0) return;
  finddatadir(st, ierr);
  if (ierr != 0) return;
  clearout(nuk, amn, bmn, cmn);
  if (!compstage(st, "\\m-unifac.nam", n, ids, ng, nuk, ierr)) return;
  readunifpar(st, "\\modunifac.par", ng, qk, rk, amn, bmn, cmn, ierr);
}

void loadunifac(const std::int32_t& nc, const std::int32_t (&ids)[maxcomp], std::int32_t& ng,
                double (&qk)[maxgrp], double (&rk)[maxgrp], double (&nuk)[maxgrp * maxcomp],
                double (&amn)[maxgrp * maxgrp], std::int32_t& ierr) {
  loaderstate& st = unifacstate;
  const std::int32_t n = nc;  // nc may be the caller's ng, which the load rewrites
  checknc("loadunifac", n, ierr);
  if (ierr != 0) return;
  finddatadir(st, ierr);
  if (ierr != 0) return;
  clearout(nuk, amn);
  if (!compstage(st, "\\unifac.nam", n, ids, ng, nuk, ierr)) return;
  readunifpar(st, "\\unifac.par", ng, qk, rk, amn, ierr);
}

}  // namespace corvane
