// Time per call of the exported functions on ethanol/water, and of actcoef Wilson.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "actcoef.h"
#include "mixstate.h"
#include "view.h"
#include "vle2wil.h"

namespace {

struct binary {
  double mw1 = 46.06844, mw2 = 18.01528, frac = 0.252;
  std::int32_t punit = corvane::unitpa;
  double pres = 101325.0, lam12 = 0.17876482090130066, lam21 = 0.831489365296479;
  double a1 = 8.211846979867062, b1 = 1648.22, c1 = 230.918;
  double a2 = 7.990736979867062, b2 = 1687.537, c2 = 230.17;
};

template <decltype(&vle2wiltmF) fn>
void exported(benchmark::State& state) {
  binary b;
  for (auto _ : state) {
    double r = fn(&b.mw1, &b.mw2, &b.frac, &b.punit, &b.pres, &b.lam12, &b.lam21, &b.a1, &b.b1,
                  &b.c1, &b.a2, &b.b2, &b.c2);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(exported<vle2wiltmF>)->Name("vle2wiltmF");
BENCHMARK(exported<vle2wiltF>)->Name("vle2wiltF");
BENCHMARK(exported<vle2wilymF>)->Name("vle2wilymF");
BENCHMARK(exported<vle2wilyF>)->Name("vle2wilyF");

void wilson(benchmark::State& state) {
  using namespace corvane;
  const int nc = static_cast<int>(state.range(0));
  mixstate.nc = nc;
  mixstate.model = liqwilson;
  mixstate.wilmode = wilstored;
  const auto lambda = mat<maxcomp>(mixstate.lambda);
  const auto x = vec(mixstate.x);
  for (int i = 1; i <= nc; ++i) {
    x(i) = 1.0 / nc;
    for (int j = 1; j <= nc; ++j) lambda(i, j) = i == j ? 1.0 : 0.3 + 0.05 * i + 0.02 * j;
  }
  for (auto _ : state) {
    actcoef(mixstate.x, mixstate.t, mixstate.gam);
    benchmark::DoNotOptimize(mixstate.gam);
  }
}
BENCHMARK(wilson)->Name("actcoef_wilson")->Arg(2)->Arg(10);

}  // namespace
