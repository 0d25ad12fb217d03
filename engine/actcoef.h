// Liquid activity coefficients of nc components under the model that mixstate.model
// selects (liqideal..liqunifac, mixstate.h). Writes gam(1..nc); never reports anything.
#pragma once
#include "mixstate.h"

namespace corvane {

void actcoef(const double (&x)[maxcomp], const double& t, double (&gam)[maxcomp]);

}  // namespace corvane
