// The calculation-state record and the mole/mass-fraction conversions.
#include "mixstate.h"

#include "view.h"

namespace corvane {

mixstaterec mixstate;

void moltomass() {
  mixstaterec& ms = mixstate;
  const int nc = ms.nc;
  if (nc <= 0 || nc > maxcomp) return;
  const auto x = vec(ms.x), y = vec(ms.y), mw = vec(ms.mw), wl = vec(ms.wl), wv = vec(ms.wv);
  double sl = 0.0, sv = 0.0;
  for (int i = 1; i <= nc; ++i) {
    sl += x(i) * mw(i);
    sv += y(i) * mw(i);
  }
  for (int i = 1; i <= nc; ++i) {
    wl(i) = (x(i) * mw(i)) / sl;
    wv(i) = (y(i) * mw(i)) / sv;
  }
}

void masstomol() {
  mixstaterec& ms = mixstate;
  const int nc = ms.nc;
  if (nc <= 0 || nc > maxcomp) return;
  const auto x = vec(ms.x), y = vec(ms.y), mw = vec(ms.mw), wl = vec(ms.wl), wv = vec(ms.wv);
  double sl = 0.0, sv = 0.0;
  for (int i = 1; i <= nc; ++i) {
    sl += wl(i) / mw(i);
    sv += wv(i) / mw(i);
  }
  for (int i = 1; i <= nc; ++i) {
    x(i) = (wl(i) / mw(i)) / sl;
    y(i) = (wv(i) / mw(i)) / sv;
  }
}

}  // namespace corvane
