// Time per call of actcoef with UNIFAC and modified UNIFAC at the full capacities:
// 10 components, 30 groups.
#include <benchmark/benchmark.h>

#include "actcoef.h"
#include "mixstate.h"
#include "modelpar.h"
#include "view.h"

namespace {

// A deterministic, physically plausible parameter set: every component holds a few
// groups, every pair of groups has parameters.
void fill(int nc, int ng) {
  using namespace corvane;
  mixstate.nc = nc;
  mixstate.t = 60.0;
  modelpar.ng = ng;
  const auto qk = vec(modelpar.qk), rk = vec(modelpar.rk);
  const auto nuk = mat<maxgrp>(modelpar.nuk);
  const auto amn = mat<maxgrp>(modelpar.amn), bmn = mat<maxgrp>(modelpar.bmn),
             cmn = mat<maxgrp>(modelpar.cmn);
  for (int k = 1; k <= ng; ++k) {
    rk(k) = 0.5 + 0.05 * k;
    qk(k) = 0.4 + 0.04 * k;
    for (int m = 1; m <= ng; ++m) {
      amn(k, m) = k == m ? 0.0 : 40.0 * ((k * 7 + m * 3) % 23) - 200.0;
      bmn(k, m) = k == m ? 0.0 : 0.1 * ((k + 2 * m) % 9) - 0.4;
      cmn(k, m) = k == m ? 0.0 : 1e-4 * ((3 * k + m) % 7) - 3e-4;
    }
  }
  for (int i = 1; i <= nc; ++i) {
    vec(mixstate.x)(i) = 1.0 / nc;
    for (int k = 1; k <= ng; ++k) nuk(k, i) = (k + i) % 4 == 0 ? 1.0 + (k % 2) : 0.0;
  }
}

void unifac(benchmark::State& state) {
  using namespace corvane;
  fill(static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
  mixstate.model = static_cast<int>(state.range(0));
  for (auto _ : state) {
    actcoef(mixstate.x, mixstate.t, mixstate.gam);
    benchmark::DoNotOptimize(mixstate.gam);
  }
}
BENCHMARK(unifac)
    ->Name("actcoef_unifac")
    ->Args({corvane::liqunifac, 10, 30})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(unifac)
    ->Name("actcoef_dortmund")
    ->Args({corvane::liqdortmund, 10, 30})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
