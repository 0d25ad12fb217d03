// Activity-coefficient dispatch, the ideal solution and the Wilson equation.
#include "actcoef.h"

#include <cmath>

#include "actwork.h"
#include "units.h"
#include "view.h"

namespace corvane {

namespace {

void actwilson(const double (&x)[maxcomp], double tk, double (&gam)[maxcomp]) {
  mixstaterec& ms = mixstate;
  const int nc = ms.nc;
  const auto lambda = mat<maxcomp>(ms.lambda);
  const auto xv = vec(x);
  const auto g = vec(gam);

  if (ms.wilmode == wilenergy) {
    const auto wila = mat<maxcomp>(ms.wila);
    const auto vliq = vec(ms.vliq);
    const double rt = ms.rcal * tk;
    for (int i = 1; i <= nc; ++i)
      for (int j = 1; j <= nc; ++j)
        lambda(j, i) = std::exp(-(wila(j, i) / rt)) * (vliq(i) / vliq(j));
  } else if (ms.wilmode == wilinter) {
    const auto wilg = mat<maxcomp>(ms.wilg);
    const auto vliq = vec(ms.vliq);
    for (int i = 1; i <= nc; ++i)
      for (int j = 1; j <= nc; ++j)
        lambda(j, i) = std::exp(-(((wilg(j, i) - wilg(j, j)) / ms.rcal) / tk)) * (vliq(i) / vliq(j));
  }

  // Row sums S(k) = sum_j x(j) lambda(k,j), the same for every i.
  double sbuf[maxcomp];
  const auto s = vec(sbuf);
  for (int k = 1; k <= nc; ++k) {
    double sum = 0.0;
    for (int j = 1; j <= nc; ++j) sum += xv(j) * lambda(k, j);
    s(k) = sum;
  }
  for (int i = 1; i <= nc; ++i) {
    double a = 0.0;
    for (int k = 1; k <= nc; ++k) a += (xv(k) * lambda(k, i)) / s(k);
    const double lngam = (1.0 - a) - std::log(s(i));
    g(i) = std::exp(lngam);
  }
}

}  // namespace

void actcoef(const double (&x)[maxcomp], const double& t, double (&gam)[maxcomp]) {
  const double tk = t + tkzero;
  const std::int32_t model = mixstate.model;
  const std::int32_t nc = mixstate.nc;
  // A count outside 1..maxcomp writes nothing: no model may index past its arrays.
  if (nc <= 0 || nc > maxcomp) return;

  switch (model) {
    case liqideal:
      for (int i = 1; i <= nc; ++i) vec(gam)(i) = 1.0;
      return;
    case liqwilson: actwilson(x, tk, gam); return;
    case liqnrtl: actnrtl(x, tk, gam); return;
    case liquniquac: actuniquac(x, tk, gam); return;
    case liqasog: actasog(x, tk, gam); return;
    case liqdortmund: actunifac(x, tk, gam, true); return;
    case liqunifac: actunifac(x, tk, gam, false); return;
    default: return;  // no model: gam is not written
  }
}

}  // namespace corvane
