// The calculation state: one process-wide record that carries everything a calculation
// needs between the exported functions, the bubble-point solver and the activity-
// coefficient routine. Zero when the library is loaded, never cleared.
#pragma once
#include <cstdint>

namespace corvane {

constexpr int maxcomp = 10;                  // capacity of every per-component array
constexpr double failval = 1.0E+100;         // result of an exported function that fails

struct mixstaterec {
  double gam[maxcomp];                       // liquid activity coefficients
  std::int32_t nc;                           // number of components
  double x[maxcomp];                         // liquid mole fractions
  double y[maxcomp];                         // vapour mole fractions
  double t;                                  // temperature, degrees Celsius
  double p;                                  // pressure, Pa
  double rcal;                               // gas constant, cal/(mol K)
  double vpa[maxcomp];                       // vapour-pressure coefficients A..E
  double vpb[maxcomp];
  double vpc[maxcomp];
  double vpd[maxcomp];
  double vpe[maxcomp];
  double wl[maxcomp];                        // liquid mass fractions
  double wv[maxcomp];                        // vapour mass fractions
  double mw[maxcomp];                        // molecular weights
  std::int32_t model;                        // activity model, 0..6
  std::int32_t vpmode;                       // 1 Antoine, otherwise the extended form
  double wila[maxcomp * maxcomp];            // Wilson energy differences (wilmode 1), cal/mol
  double wilg[maxcomp * maxcomp];            // Wilson interaction energies (wilmode 2), cal/mol
  double vliq[maxcomp];                      // liquid molar volumes
  double lambda[maxcomp * maxcomp];          // Wilson parameter matrix
  std::int32_t wilmode;                      // 1, 2: build lambda; otherwise use it as stored
};

extern mixstaterec mixstate;

// Whole-record conversions between mole and mass fractions over components 1..nc.
void moltomass();
void masstomol();

}  // namespace corvane
