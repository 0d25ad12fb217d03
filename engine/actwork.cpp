// The work arrays of the activity models, and the check of the finite lines of the
// group models' interaction factors.
#include "actwork.h"

#include <limits>

namespace corvane {

actworkrec actwork;

void finitelines(int ng, const view<double>& psi, bool (&rowok)[maxgrp], bool (&colok)[maxgrp]) {
  const auto row = vec(rowok), col = vec(colok);
  for (int n = 1; n <= ng; ++n) row(n) = col(n) = true;
  for (int m = 1; m <= ng; ++m)
    for (int n = 1; n <= ng; ++n) {
      // false for +inf and NaN
      const bool finite = psi(n, m) <= std::numeric_limits<double>::max();
      row(n) = row(n) && finite;
      col(m) = col(m) && finite;
    }
}

}  // namespace corvane
