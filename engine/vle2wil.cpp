// The four exported functions: bubble point of a binary mixture, Wilson model with the
// matrix given directly, Antoine vapour pressures.
#define CORVANE_BUILDING
#include "vle2wil.h"

#include <cmath>

#include "bubpt.h"
#include "mixstate.h"
#include "units.h"
#include "view.h"

namespace corvane {

namespace {

enum class given { mole, mass };
enum class result { temp, vapour };

// One exported call. Every store is made in the order the callers may rely on: after a
// failure the record holds what was stored before it. With the composition, the
// vapour-result functions clear the whole array that their result comes from (x or wv).
double vle2wil(given g, result r, const double& mw1, const double& mw2,
               const double& frac1, const std::int32_t& punit, const double& pres,
               const double& lam12, const double& lam21, const double& a1, const double& b1,
               const double& c1, const double& a2, const double& b2, const double& c2) {
  mixstaterec& ms = mixstate;
  const auto x = vec(ms.x), y = vec(ms.y), wl = vec(ms.wl), wv = vec(ms.wv), mw = vec(ms.mw);
  const auto vpa = vec(ms.vpa), vpb = vec(ms.vpb), vpc = vec(ms.vpc);
  const auto lambda = mat<maxcomp>(ms.lambda);

  ms.nc = 2;
  ms.model = liqwilson;
  ms.wilmode = wilstored;

  switch (punit) {
    case unitpa: ms.p = pres; break;
    case unitmmhg: ms.p = (pres / mmhgatm) * patm; break;
    case unitatm: ms.p = pres * patm; break;
    default: ms.p = pres; return failval;
  }

  const double c = frac1;
  const bool clearfrac = r == result::vapour;
  double c1st, c2nd;
  if (g == given::mole) {
    if (clearfrac)
      for (int i = 1; i <= maxcomp; ++i) x(i) = 0.0;
    x(1) = c;
    x(2) = 1.0 - c;
    c1st = x(1);
    c2nd = x(2);
  } else {
    wl(1) = c;
    wl(2) = 1.0 - c;
    if (clearfrac)
      for (int i = 1; i <= maxcomp; ++i) wv(i) = 0.0;
    c1st = wl(1);
    c2nd = wl(2);
  }
  if (c1st > 1.0 || c2nd > 1.0) return failval;

  ms.vpmode = vpantoine;
  vpa(1) = a1;
  vpb(1) = b1;
  vpc(1) = c1;
  vpa(2) = a2;
  vpb(2) = b2;
  vpc(2) = c2;
  mw(1) = mw1;
  mw(2) = mw2;
  ms.rcal = gascal;
  lambda(1, 1) = 1.0;
  lambda(1, 2) = lam12;
  lambda(2, 1) = lam21;
  lambda(2, 2) = 1.0;

  if (g == given::mass) {
    const double s = c / mw1 + (1.0 - c) / mw2;
    x(1) = (wl(1) / mw(1)) / s;
    x(2) = (wl(2) / mw(2)) / s;
  }

  // Start from the mole-fraction average of the pure components' Antoine boiling points.
  const double pmmhg = (ms.p / patm) * mmhgatm;
  const double l = std::log10(pmmhg);
  const double tb1 = vpb(1) / (vpa(1) - l) - vpc(1);
  const double tb2 = vpb(2) / (vpa(2) - l) - vpc(2);
  ms.t = x(1) * tb1 + x(2) * tb2;

  std::int32_t ierr = 0;
  bubpt(ms.x, ms.y, ms.t, ms.p, ierr);
  if (ierr == 1) return failval;

  if (r == result::temp) return ms.t;
  if (g == given::mole) return y(1);
  moltomass();
  return wv(1);
}

}  // namespace
}  // namespace corvane

using corvane::vle2wil;
using g = corvane::given;
using r = corvane::result;

extern "C" {

CORVANE_API double CORVANE_CALL vle2wiltF(
    const double* mw1, const double* mw2, const double* frac1, const std::int32_t* punit,
    const double* pres, const double* lam12, const double* lam21, const double* a1,
    const double* b1, const double* c1, const double* a2, const double* b2, const double* c2) {
  return vle2wil(g::mass, r::temp, *mw1, *mw2, *frac1, *punit, *pres, *lam12, *lam21,
                 *a1, *b1, *c1, *a2, *b2, *c2);
}

CORVANE_API double CORVANE_CALL vle2wiltmF(
    const double* mw1, const double* mw2, const double* frac1, const std::int32_t* punit,
    const double* pres, const double* lam12, const double* lam21, const double* a1,
    const double* b1, const double* c1, const double* a2, const double* b2, const double* c2) {
  return vle2wil(g::mole, r::temp, *mw1, *mw2, *frac1, *punit, *pres, *lam12, *lam21,
                 *a1, *b1, *c1, *a2, *b2, *c2);
}

CORVANE_API double CORVANE_CALL vle2wilyF(
    const double* mw1, const double* mw2, const double* frac1, const std::int32_t* punit,
    const double* pres, const double* lam12, const double* lam21, const double* a1,
    const double* b1, const double* c1, const double* a2, const double* b2, const double* c2) {
  return vle2wil(g::mass, r::vapour, *mw1, *mw2, *frac1, *punit, *pres, *lam12, *lam21,
                 *a1, *b1, *c1, *a2, *b2, *c2);
}

CORVANE_API double CORVANE_CALL vle2wilymF(
    const double* mw1, const double* mw2, const double* frac1, const std::int32_t* punit,
    const double* pres, const double* lam12, const double* lam21, const double* a1,
    const double* b1, const double* c1, const double* a2, const double* b2, const double* c2) {
  return vle2wil(g::mole, r::vapour, *mw1, *mw2, *frac1, *punit, *pres, *lam12, *lam21,
                 *a1, *b1, *c1, *a2, *b2, *c2);
}

}  // extern "C"
