// Time per load of loadmunifac and loadunifac: ten components of 28 distinct subgroups
// against full-size parameter files of 1,300 interaction lines and 120 subgroup lines,
// in a temporary directory that is the current directory (no "place.dat").
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "loaders.h"
#include "modelpar.h"

namespace {

using namespace corvane;

constexpr int ninter = 1300;
constexpr int nsubs = 120;

int mainof(int k) { return (k + 1) / 2; }  // two subgroups per main group

void putfile(const char* name, const std::string& s) {
  std::FILE* f = std::fopen(name, "wb");
  if (f == nullptr) std::abort();
  std::fwrite(s.data(), 1, s.size(), f);
  std::fclose(f);
}

std::string le(const void* p, int n) { return std::string(static_cast<const char*>(p), n); }

// Ten unifrec records of three subgroups each, spread over the subgroups 1..120.
std::string records() {
  std::string all;
  for (int c = 0; c < maxcomp; ++c) {
    std::string r(44, 'n');
    for (int k = 0; k < 7; ++k) {
      std::int32_t sub = k < 3 ? 1 + (c * 3 + k) * 37 % 28 * 4 : 0;  // 28 distinct subgroups
      std::int32_t mg = sub == 0 ? 0 : mainof(sub);
      double nu = k < 3 ? 1.0 + k : 0.0;
      r += le(&mg, 4) + le(&sub, 4) + le(&nu, 8);
    }
    r.resize(624, ' ');
    all += r;
  }
  return all;
}

// The parameter files: every pair i < j of main groups 1..52 until 1,300 lines, with
// values written with points, implied decimals and exponents; then the subgroups.
std::string parfile(bool modified) {
  std::string s = std::to_string(ninter) + "\n";
  char line[128];
  int n = 0;
  for (int i = 1; n < ninter; ++i) {
    for (int j = i + 1; j <= 60 && n < ninter; ++j, ++n) {
      if (modified) {
        std::snprintf(line, sizeof line, "%3d%3d%12.4f%12d%12.3E%12.4f%12d%12.3E\n", i, j,
                      10.0 * i - j, -(i * 1000 + j), 1e-3 * j, 5.5 * j - i, i * 1000 - j, -2e-4 * i);
      } else {
        std::snprintf(line, sizeof line, "%3d%3d%12.4f%12d\n", i, j, 10.0 * i - j, -(i * 1000 + j));
      }
      s += line;
    }
  }
  s += std::to_string(nsubs) + "\n";
  for (int k = 1; k <= nsubs; ++k) {
    std::snprintf(line, sizeof line, "  %3d SUB%-5d%10.4f%10d\n", k, k, 0.5 + k / 100.0, 4000 + k);
    s += line;
  }
  return s;
}

// A temporary data directory, the current directory while the benchmarks run.
struct datadir {
  std::string dir, old;
  datadir() {
    char buf[4096];
    if (getcwd(buf, sizeof buf) == nullptr) std::abort();
    old = buf;
    char tmpl[] = "/tmp/corvane-bench-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) std::abort();
    dir = tmpl;
    if (chdir(dir.c_str()) != 0) std::abort();
    const std::string recs = records();
    putfile("m-unifac.nam", recs);
    putfile("unifac.nam", recs);
    putfile("modunifac.par", parfile(true));
    putfile("unifac.par", parfile(false));
  }
  ~datadir() {
    if (chdir(old.c_str()) != 0) return;
    std::string cmd = "rm -rf '" + dir + "'";
    if (std::system(cmd.c_str()) != 0) return;
  }
};

const std::int32_t ids[maxcomp] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
const std::int32_t nc = maxcomp;

void loadmunifac10(benchmark::State& state) {
  datadir d;
  std::int32_t ierr = 0;
  for (auto _ : state) {
    loadmunifac(nc, ids, modelpar.ng, modelpar.qk, modelpar.rk, modelpar.nuk, modelpar.amn,
                modelpar.bmn, modelpar.cmn, ierr);
    benchmark::DoNotOptimize(ierr);
  }
  if (ierr != 0 || modelpar.ng != 28) state.SkipWithError("the load failed");
}
BENCHMARK(loadmunifac10)->Unit(benchmark::kMicrosecond);

void loadunifac10(benchmark::State& state) {
  datadir d;
  std::int32_t ierr = 0;
  for (auto _ : state) {
    loadunifac(nc, ids, modelpar.ng, modelpar.qk, modelpar.rk, modelpar.nuk, modelpar.amn, ierr);
    benchmark::DoNotOptimize(ierr);
  }
  if (ierr != 0 || modelpar.ng != 28) state.SkipWithError("the load failed");
}
BENCHMARK(loadunifac10)->Unit(benchmark::kMicrosecond);

}  // namespace
