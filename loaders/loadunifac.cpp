// The UNIFAC-family loaders: modified UNIFAC (Dortmund) and UNIFAC.
#include "loaders.h"
#include "stage.h"
#include "unifpar.h"

namespace corvane {

void loadmunifac(const std::int32_t& nc, const std::int32_t (&ids)[maxcomp], std::int32_t& ng,
                 double (&qk)[maxgrp], double (&rk)[maxgrp], double (&nuk)[maxgrp * maxcomp],
                 double (&amn)[maxgrp * maxgrp], double (&bmn)[maxgrp * maxgrp],
                 double (&cmn)[maxgrp * maxgrp], std::int32_t& ierr) {
  loaderstate& st = munifacstate;
  const std::int32_t n = nc;  // nc may be the caller's ng, which the load rewrites
  if (!startload(st, "loadmunifac", n, ierr)) return;
  clearout(nuk, amn, bmn, cmn);
  if (!compstage(st, "\\m-unifac.nam", n, ids, ng, nuk, ierr)) return;
  readunifpar(st, "\\modunifac.par", ng, qk, rk, amn, bmn, cmn, ierr);
}

void loadunifac(const std::int32_t& nc, const std::int32_t (&ids)[maxcomp], std::int32_t& ng,
                double (&qk)[maxgrp], double (&rk)[maxgrp], double (&nuk)[maxgrp * maxcomp],
                double (&amn)[maxgrp * maxgrp], std::int32_t& ierr) {
  loaderstate& st = unifacstate;
  const std::int32_t n = nc;  // nc may be the caller's ng, which the load rewrites
  if (!startload(st, "loadunifac", n, ierr)) return;
  clearout(nuk, amn);
  if (!compstage(st, "\\unifac.nam", n, ids, ng, nuk, ierr)) return;
  readunifpar(st, "\\unifac.par", ng, qk, rk, amn, ierr);
}

}  // namespace corvane
