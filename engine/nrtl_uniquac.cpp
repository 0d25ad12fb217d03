// NRTL (model 2) and UNIQUAC (model 3).
#include "actwork.h"

namespace corvane {

void actnrtl(const double (&)[maxcomp], double, double (&)[maxcomp]) {}
void actuniquac(const double (&)[maxcomp], double, double (&)[maxcomp]) {}

}  // namespace corvane
