// UNIFAC (model 6) and modified UNIFAC, Dortmund form (model 5).
#include "actwork.h"

namespace corvane {

void actunifac(const double (&)[maxcomp], double, double (&)[maxcomp], bool) {}

}  // namespace corvane
