// Time per call of actcoef NRTL and UNIQUAC at 2 and 10 components.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "actcoef.h"
#include "mixstate.h"
#include "modelpar.h"
#include "units.h"
#include "view.h"

namespace {

// An equimolar mixture of nc components with smooth, finite parameters.
void setup(std::int32_t model, int nc) {
  using namespace corvane;
  mixstate.nc = nc;
  mixstate.model = model;
  mixstate.rcal = gascal;
  mixstate.t = 60.0;
  const auto x = vec(mixstate.x);
  const auto q = vec(modelpar.qk), r = vec(modelpar.rk);
  const auto g = mat<maxcomp>(modelpar.nrtlg), alpha = mat<maxcomp>(modelpar.nrtlalpha);
  const auto u = mat<maxcomp>(modelpar.uqu);
  for (int i = 1; i <= nc; ++i) {
    x(i) = 1.0 / nc;
    q(i) = 1.0 + 0.2 * i;
    r(i) = 0.9 + 0.25 * i;
    for (int j = 1; j <= nc; ++j) {
      g(i, j) = i == j ? 0.0 : 120.0 * i - 70.0 * j;
      alpha(i, j) = i == j ? 0.0 : 0.3;
      u(i, j) = i == j ? 0.0 : 90.0 * j - 60.0 * i;
    }
  }
}

template <std::int32_t model>
void actmodel(benchmark::State& state) {
  using namespace corvane;
  setup(model, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    actcoef(mixstate.x, mixstate.t, mixstate.gam);
    benchmark::DoNotOptimize(mixstate.gam);
  }
}
BENCHMARK(actmodel<corvane::liqnrtl>)->Name("actcoef_nrtl")->Arg(2)->Arg(10);
BENCHMARK(actmodel<corvane::liquniquac>)->Name("actcoef_uniquac")->Arg(2)->Arg(10);

}  // namespace
