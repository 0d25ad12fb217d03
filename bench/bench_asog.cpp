// Time per call of actcoef ASOG. Arguments: components, groups, and groups per
// component. A loaded mixture of 10 components over 30 groups has a few groups in each
// component (here 4, together covering all 30); the last case puts every group into
// every component, the most work a call can have.
#include <benchmark/benchmark.h>

#include "actcoef.h"
#include "mixstate.h"
#include "modelpar.h"
#include "view.h"

namespace {

void asog(benchmark::State& state) {
  using namespace corvane;
  const int nc = static_cast<int>(state.range(0)), ng = static_cast<int>(state.range(1));
  const int per = static_cast<int>(state.range(2));
  mixstate.nc = nc;
  mixstate.model = liqasog;
  modelpar.ng = ng;
  const auto x = vec(mixstate.x);
  const auto nu = mat<maxgrp>(modelpar.nuasog);
  const auto m = mat<maxgrp>(modelpar.asogm), n = mat<maxgrp>(modelpar.asogn);
  for (int i = 1; i <= nc; ++i) {
    x(i) = (1.0 + i) / (nc * (nc + 3) / 2.0);
    vec(modelpar.fhsize)(i) = 2.0 + i;
    for (int k = 1; k <= ng; ++k) nu(k, i) = 0.0;
    // Groups 3(i-1)+1 onwards, wrapping round: consecutive components share groups.
    for (int j = 0; j < per; ++j) nu((3 * (i - 1) + j) % ng + 1, i) = 1.0 + (i + j) % 3;
  }
  for (int l = 1; l <= ng; ++l)
    for (int k = 1; k <= ng; ++k) {
      m(k, l) = k == l ? 0.0 : 0.1 * ((k * 7 + l * 3) % 11) - 0.5;
      n(k, l) = k == l ? 0.0 : 25.0 * ((k * 5 + l * 13) % 17) - 200.0;
    }
  double t = 60.0;
  for (auto _ : state) {
    actcoef(mixstate.x, t, mixstate.gam);
    benchmark::DoNotOptimize(mixstate.gam);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(asog)->Name("actcoef_asog")->Args({2, 3, 2})->Args({10, 30, 4})->Args({10, 30, 30});

}  // namespace
