// The calculation state: one process-wide record that carries everything a calculation
// needs between the exported functions, the bubble-point solver and the activity-
// coefficient routine. Zero when the library is loaded, never cleared.
#pragma once
#include <cstdint>

namespace corvane {

constexpr int maxcomp = 10;                  // capacity of every per-component array

// Liquid activity models, the values of model; actcoef writes nothing for any other.
constexpr std::int32_t liqideal = 0;         // ideal solution
constexpr std::int32_t liqwilson = 1;        // Wilson, in the form wilmode selects
constexpr std::int32_t liqnrtl = 2;          // NRTL
constexpr std::int32_t liquniquac = 3;       // UNIQUAC
constexpr std::int32_t liqasog = 4;          // ASOG
constexpr std::int32_t liqdortmund = 5;      // modified UNIFAC (Dortmund)
constexpr std::int32_t liqunifac = 6;        // UNIFAC

// Vapour-pressure forms, the values of vpmode. Every value but vpantoine selects the
// extended form; vpext is the one to store for it.
constexpr std::int32_t vpantoine = 1;        // Antoine: log10 of mmHg, degrees Celsius
constexpr std::int32_t vpext = 2;            // extended: ln of Pa, kelvin

// Wilson forms, the values of wilmode. Every value but wilenergy and wilinter uses lambda
// as stored; wilstored is the one the exported functions store.
constexpr std::int32_t wilenergy = 1;        // lambda from the energy differences wila
constexpr std::int32_t wilinter = 2;         // lambda from the interaction energies wilg
constexpr std::int32_t wilstored = 3;        // lambda as stored

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
  std::int32_t model;                        // activity model, liqideal..liqunifac
  std::int32_t vpmode;                       // vapour-pressure form, vpantoine or another
  double wila[maxcomp * maxcomp];            // Wilson energy differences (wilenergy), cal/mol
  double wilg[maxcomp * maxcomp];            // Wilson interaction energies (wilinter), cal/mol
  double vliq[maxcomp];                      // liquid molar volumes
  double lambda[maxcomp * maxcomp];          // Wilson parameter matrix
  std::int32_t wilmode;                      // Wilson form: wilenergy, wilinter or another
};

extern mixstaterec mixstate;

// Whole-record conversions between mole and mass fractions over components 1..nc.
void moltomass();
void masstomol();

}  // namespace corvane
