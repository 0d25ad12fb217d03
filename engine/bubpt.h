// Bubble-point temperature by Newton's method on the temperature: x liquid mole
// fractions (in), y vapour mole fractions (out), t degrees Celsius (start in, result
// out), p pressure in Pa, ierr 0 on success and 1 on failure.
#pragma once
#include <cstdint>

#include "mixstate.h"

namespace corvane {

void bubpt(const double (&x)[maxcomp], double (&y)[maxcomp], double& t, const double& p,
           std::int32_t& ierr);

}  // namespace corvane
