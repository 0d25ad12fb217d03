// Helpers shared by the engine tests.
#pragma once
#include <cmath>
#include <cstring>

#include "actwork.h"
#include "mixstate.h"
#include "modelpar.h"

namespace corvane::testing {

// Puts the process-wide records back to their state at load: every byte zero.
inline void resetrecords() {
  std::memset(&mixstate, 0, sizeof mixstate);
  std::memset(&modelpar, 0, sizeof modelpar);
  std::memset(&actwork, 0, sizeof actwork);
}

// Relative difference, for comparing with independently computed values.
inline double reldiff(double a, double b) { return std::fabs(a - b) / std::fabs(b); }

// Bit-for-bit equality, NaN included.
inline bool samebits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace corvane::testing
