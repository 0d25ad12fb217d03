// Liquid activity coefficients of nc components under the model that mixstate.model
// selects: 0 ideal solution, 1 Wilson, 2 NRTL, 3 UNIQUAC, 4 ASOG, 5 modified UNIFAC
// (Dortmund), 6 UNIFAC. Writes gam(1..nc); never reports anything.
#pragma once
#include "mixstate.h"

namespace corvane {

void actcoef(const double (&x)[maxcomp], const double& t, double (&gam)[maxcomp]);

}  // namespace corvane
