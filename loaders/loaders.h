// The group-contribution parameter loaders. Each reads the data files of its model from
// the data directory (the first value of "place.dat" in the current directory, or the
// current directory itself) for the components whose record numbers are ids(1..nc), and
// returns the tables in the shapes of the fields of the same names of modelpar, so
// that passing those fields makes actcoef evaluate the loaded mixture:
//
//   loadasog(nc, ids, modelpar.ng, modelpar.fhsize, modelpar.nuasog, modelpar.asogm,
//            modelpar.asogn, ierr);
//
// ierr = 0: loaded. ierr = 1: failed (a diagnostic line on standard error tells why,
// except for a component record that fails its plausibility test); the outputs are then
// partly new and partly as before, and must not be used.
#pragma once
#include <cstdint>

#include "modelpar.h"

namespace corvane {

// ASOG: from "asog.nam" and "prm.aso".
void loadasog(const std::int32_t& nc, const std::int32_t (&ids)[maxcomp], std::int32_t& ng,
              double (&fhsize)[maxgrp], double (&nuasog)[maxgrp * maxcomp],
              double (&asogm)[maxgrp * maxgrp], double (&asogn)[maxgrp * maxgrp],
              std::int32_t& ierr);

// Modified UNIFAC (Dortmund): from "m-unifac.nam" and "modunifac.par".
void loadmunifac(const std::int32_t& nc, const std::int32_t (&ids)[maxcomp], std::int32_t& ng,
                 double (&qk)[maxgrp], double (&rk)[maxgrp], double (&nuk)[maxgrp * maxcomp],
                 double (&amn)[maxgrp * maxgrp], double (&bmn)[maxgrp * maxgrp],
                 double (&cmn)[maxgrp * maxgrp], std::int32_t& ierr);

// UNIFAC: from "unifac.nam" and "unifac.par".
void loadunifac(const std::int32_t& nc, const std::int32_t (&ids)[maxcomp], std::int32_t& ng,
                double (&qk)[maxgrp], double (&rk)[maxgrp], double (&nuk)[maxgrp * maxcomp],
                double (&amn)[maxgrp * maxgrp], std::int32_t& ierr);

}  // namespace corvane
