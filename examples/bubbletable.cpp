// The main job: bubble-point temperature and vapour composition of ethanol(1)/water(2)
// at 760 mmHg over a grid of liquid mole fractions, through the library's exported
// functions.
//
// Antoine constants (log10 mmHg, degrees Celsius) as the open-source thermo library ships
// them from Poling, Prausnitz and O'Connell; Wilson parameters from ChemSep's binary table
// at 1 atm.
#include <cstdint>
#include <cstdio>

#include "corvane.h"

int main() {
  const double mw1 = 46.06844, mw2 = 18.01528;
  const std::int32_t punit = 1;
  const double pres = 760.0;
  const double lam12 = 0.17876482090130066, lam21 = 0.831489365296479;
  const double a1 = 8.211846979867062, b1 = 1648.22, c1 = 230.918;
  const double a2 = 7.990736979867062, b2 = 1687.537, c2 = 230.17;

  std::printf("ethanol(1) / water(2), Wilson, Antoine, P = 760 mmHg\n");
  std::printf("%8s %14s %12s %12s\n", "x1", "t / degC", "y1", "wv1");
  for (int k = 0; k <= 20; ++k) {
    const double x1 = k / 20.0;
    const double t = vle2wiltmF(&mw1, &mw2, &x1, &punit, &pres, &lam12, &lam21, &a1, &b1, &c1, &a2, &b2, &c2);
    const double y1 = vle2wilymF(&mw1, &mw2, &x1, &punit, &pres, &lam12, &lam21, &a1, &b1, &c1, &a2, &b2, &c2);
    // the same liquid given as a mass fraction
    const double w1 = x1 * mw1 / (x1 * mw1 + (1.0 - x1) * mw2);
    const double wv1 = vle2wilyF(&mw1, &mw2, &w1, &punit, &pres, &lam12, &lam21, &a1, &b1, &c1, &a2, &b2, &c2);
    std::printf("%8.3f %14.9f %12.9f %12.9f\n", x1, t, y1, wv1);
  }
  return 0;
}
