// ASOG (model 4).
#include "actwork.h"

namespace corvane {

void actasog(const double (&)[maxcomp], double, double (&)[maxcomp]) {}

}  // namespace corvane
