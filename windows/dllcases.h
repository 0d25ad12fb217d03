// The table of calls that the Windows host runs through Corvane64.dll and Corvane32.dll
// and that the native program refcases runs through libcorvane.so, the checks every
// result must pass on its own, and the rules by which two results of one call agree.
//
// Where the C runtimes' exp, log and pow differ in their last bit, a bubble-point
// temperature moves by an absolute amount: temperatures agree within
// 1e-11 x (t + 273.15), vapour fractions within 1e-11, failure results (1.0E+100, NaN)
// exactly.
#pragma once
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define corvane_pipe(fds) _pipe(fds, 65536, _O_BINARY)
#define corvane_dup _dup
#define corvane_dup2 _dup2
#define corvane_close _close
#define corvane_read _read
#else
#include <unistd.h>
#define corvane_pipe(fds) pipe(fds)
#define corvane_dup dup
#define corvane_dup2 dup2
#define corvane_close close
#define corvane_read read
#endif

namespace corvane::dllcases {

constexpr double failval = 1.0E+100;
constexpr double qnan = std::numeric_limits<double>::quiet_NaN();

// The four functions in the order of their ordinals in Corvane64.
constexpr int nfn = 4;
enum : int { wiltF, wiltmF, wilyF, wilymF };
constexpr const char* fnname[nfn] = {"vle2wiltF", "vle2wiltmF", "vle2wilyF", "vle2wilymF"};
inline bool istemp(int fn) { return fn == wiltF || fn == wiltmF; }

enum class expect { ok, fail, nan };

// The solver's two lines.
constexpr const char* msgrange = " Temperature range over(bp)\n";
constexpr const char* msgpasses = " Wrong cal bp";

// The parts of a call that describe the mixture.
struct binary {
  double mw1, mw2, lam12, lam21, a1, b1, c1, a2, b2, c2;
};

struct callcase {
  const char* id;
  int fn;
  expect want;
  const char* msg;  // the solver's line it must write, nullptr for none
  double mw1, mw2, frac1;
  std::int32_t punit;
  double pres, lam12, lam21, a1, b1, c1, a2, b2, c2;
  double ref;       // an independently derived result, NaN when there is none
};

constexpr callcase mk(const char* id, int fn, expect want, const char* msg, const binary& b,
                      double frac1, std::int32_t punit, double pres, double ref = qnan) {
  return callcase{id,    fn,    want,  msg,   b.mw1, b.mw2, frac1, punit, pres,
                  b.lam12, b.lam21, b.a1, b.b1, b.c1, b.a2, b.b2, b.c2, ref};
}

// Ethanol(1)/water(2): Antoine constants (log10 mmHg, degrees Celsius) as the thermo
// library ships them from Poling, Prausnitz and O'Connell; Wilson parameters from
// ChemSep's binary table at 1 atm. The same inputs as the values computed with thermo
// 0.6.1 below.
constexpr binary ethwat{46.06844, 18.01528, 0.17876482090130066, 0.831489365296479,
                        8.211846979867062, 1648.22, 230.91799999999998,
                        7.990736979867062, 1687.537, 230.17};
// Methanol(1)/water(2) and acetone(1)/methanol(2): Antoine constants from the same
// source; Wilson parameters from ChemSep's interaction energies and liquid volumes,
// evaluated at 75 and 56 degrees Celsius.
constexpr binary metwat{32.04186, 18.01528, 0.329913, 1.12217,
                        8.07786697986706, 1580.08, 239.5,
                        7.990736979867062, 1687.537, 230.17};
constexpr binary acemet{58.07914, 32.04186, 0.706031, 0.743870,
                        7.093496979867062, 1197.01, 228.06,
                        8.07786697986706, 1580.08, 239.5};
// Two equal ideal components whose vapour pressure is so steep (B = 1e10) that no
// representable temperature brings the residual within the tolerance: the solver stays
// at the root, 80 degrees Celsius, until it runs out of passes.
constexpr binary steep{50.0, 50.0, 1.0, 1.0, 32258067.396942623, 1.0e10, 230.0,
                       32258067.396942623, 1.0e10, 230.0};

constexpr expect ok = expect::ok, fail = expect::fail, nanres = expect::nan;

// Closed forms: the pure component's Antoine boiling temperature at 760 mmHg,
// B / (A - log10 760) - C.
constexpr double tbethanol = 78.2565783918761, tbwater = 100.07702564026638;

constexpr callcase cases[] = {
    // results computed with the independent Python library thermo 0.6.1
    mk("thermo-t-mole", wiltmF, ok, nullptr, ethwat, 0.252, 0, 101325.0, 82.08598955626088),
    mk("thermo-y-mole", wilymF, ok, nullptr, ethwat, 0.252, 0, 101325.0, 0.5608172610963909),
    mk("ethwat-t-mass", wiltF, ok, nullptr, ethwat, 0.5, 1, 760.0),
    mk("ethwat-y-mass", wilyF, ok, nullptr, ethwat, 0.5, 1, 760.0),
    mk("ethwat-t-atm", wiltmF, ok, nullptr, ethwat, 0.9, 2, 1.0),
    mk("ethwat-y-300mmhg", wilymF, ok, nullptr, ethwat, 0.05, 1, 300.0),
    // at 305 kPa the runtimes' exponentials and powers part in the last bits
    mk("ethwat-t-305kpa", wiltmF, ok, nullptr, ethwat, 0.01, 0, 305000.0),
    mk("ethwat-y-mass-305kpa", wilyF, ok, nullptr, ethwat, 0.01, 0, 305000.0),
    mk("ethanol-pure-t", wiltmF, ok, nullptr, ethwat, 1.0, 1, 760.0, tbethanol),
    mk("ethanol-pure-y", wilymF, ok, nullptr, ethwat, 1.0, 1, 760.0, 1.0),
    mk("water-pure-t", wiltF, ok, nullptr, ethwat, 0.0, 1, 760.0, tbwater),
    mk("tiny-negative-accepted", wiltmF, ok, nullptr, ethwat, -1.0e-17, 1, 760.0),
    mk("metwat-t-mole", wiltmF, ok, nullptr, metwat, 0.3, 2, 1.0),
    mk("metwat-y-mole", wilymF, ok, nullptr, metwat, 0.3, 2, 1.0),
    mk("metwat-t-mass", wiltF, ok, nullptr, metwat, 0.4, 1, 500.0),
    mk("metwat-y-mass", wilyF, ok, nullptr, metwat, 0.4, 1, 500.0),
    mk("acemet-t-mole", wiltmF, ok, nullptr, acemet, 0.6, 0, 101325.0),
    mk("acemet-y-mole", wilymF, ok, nullptr, acemet, 0.6, 0, 101325.0),
    mk("acemet-t-mass", wiltF, ok, nullptr, acemet, 0.7, 2, 2.0),
    mk("acemet-y-mass", wilyF, ok, nullptr, acemet, 0.7, 2, 2.0),
    // unknown pressure units
    mk("punit-3-t-mass", wiltF, fail, nullptr, ethwat, 0.5, 3, 760.0),
    mk("punit-3-t-mole", wiltmF, fail, nullptr, ethwat, 0.5, 3, 760.0),
    mk("punit-neg-y-mass", wilyF, fail, nullptr, ethwat, 0.5, -1, 760.0),
    mk("punit-neg-y-mole", wilymF, fail, nullptr, ethwat, 0.5, -1, 760.0),
    // compositions outside 0..1
    mk("frac-1.5-t-mass", wiltF, fail, nullptr, ethwat, 1.5, 1, 760.0),
    mk("frac-above-1-t-mole", wiltmF, fail, nullptr, ethwat, 1.000000001, 1, 760.0),
    mk("frac-below-0-y-mass", wilyF, fail, nullptr, ethwat, -1.0e-9, 1, 760.0),
    mk("frac-below-0-y-mole", wilymF, fail, nullptr, ethwat, -1.0e-9, 1, 760.0),
    // solver failures
    mk("range-hot-t-mole", wiltmF, fail, msgrange, ethwat, 0.5, 0, 1.0e9),
    mk("range-hot-y-mass", wilyF, fail, msgrange, ethwat, 0.5, 0, 1.0e9),
    mk("range-cold-y-mole", wilymF, fail, msgrange, ethwat, 0.5, 1, 1.0e-7),
    mk("passes-t-mole", wiltmF, fail, msgpasses, steep, 0.5, 1, 760.0),
    mk("passes-y-mass", wilyF, fail, msgpasses, steep, 0.5, 1, 760.0),
    // a NaN composition passes the test and comes back as NaN
    mk("nan-t-mass", wiltF, nanres, nullptr, ethwat, qnan, 1, 760.0),
    mk("nan-t-mole", wiltmF, nanres, nullptr, ethwat, qnan, 1, 760.0),
    mk("nan-y-mass", wilyF, nanres, nullptr, ethwat, qnan, 1, 760.0),
    mk("nan-y-mole", wilymF, nanres, nullptr, ethwat, qnan, 1, 760.0),
};
constexpr int ncases = sizeof cases / sizeof cases[0];

// The 13 argument addresses of a call, in the order of the exported functions.
struct argset {
  const void* p[13];
};
inline argset args(const callcase& c) {
  return argset{{&c.mw1, &c.mw2, &c.frac1, &c.punit, &c.pres, &c.lam12, &c.lam21, &c.a1,
                 &c.b1, &c.c1, &c.a2, &c.b2, &c.c2}};
}

// Calls f, a pointer to one of the exported functions, with the addresses of a.
template <class F>
double call13(F f, const argset& a) {
  const auto d = [&a](int k) { return static_cast<const double*>(a.p[k]); };
  return f(d(0), d(1), d(2), static_cast<const std::int32_t*>(a.p[3]), d(4), d(5), d(6),
           d(7), d(8), d(9), d(10), d(11), d(12));
}

// What one call gave: its result and what it wrote on standard output.
constexpr int msgmax = 512;
struct outcome {
  double r;
  char msg[msgmax];
};

// Standard output of the calls is caught in a pipe: the library writes through the C
// runtime's descriptor 1, so that is what is redirected.
struct capture {
  int saved, rd;
};
inline bool capbegin(capture& c) {
  std::fflush(stdout);
  int fds[2];
  if (corvane_pipe(fds) != 0) return false;
  c.saved = corvane_dup(1);
  corvane_dup2(fds[1], 1);
  corvane_close(fds[1]);
  c.rd = fds[0];
  return true;
}
inline void capend(capture& c, char (&buf)[msgmax]) {
  std::fflush(stdout);
  corvane_dup2(c.saved, 1);
  corvane_close(c.saved);
  int n = 0;
  char chunk[256];
  for (;;) {
    const int k = static_cast<int>(corvane_read(c.rd, chunk, sizeof chunk));
    if (k <= 0) break;
    for (int i = 0; i < k; ++i)
      if (chunk[i] != '\r' && n < msgmax - 1) buf[n++] = chunk[i];
  }
  buf[n] = '\0';
  corvane_close(c.rd);
}

// One call through f, which takes the 13 addresses and returns the result.
template <class F>
outcome runcase(F f, const callcase& c) {
  outcome o{};
  capture cap;
  if (!capbegin(cap)) {
    std::printf("FAIL %s: no pipe for standard output\n", c.id);
    o.r = qnan;
    return o;
  }
  o.r = f(args(c));
  capend(cap, o.msg);
  return o;
}

struct tally {
  int pass = 0, fail = 0;
};
#if defined(__GNUC__)
__attribute__((format(printf, 3, 4)))
#endif
inline bool check(tally& t, bool good, const char* fmt, ...) {
  if (good) {
    ++t.pass;
    return true;
  }
  ++t.fail;
  std::va_list ap;
  va_start(ap, fmt);
  std::fputs("FAIL ", stdout);
  std::vprintf(fmt, ap);
  std::fputs("\n", stdout);
  va_end(ap);
  return false;
}

inline bool samebits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
inline bool sameoutcome(const outcome& a, const outcome& b) {
  return samebits(a.r, b.r) && std::strcmp(a.msg, b.msg) == 0;
}

// The numbers of a " Wrong cal bp" line, each in a field 24 characters wide; -1 when the
// line is not of that form.
inline int passfields(const char* msg, double (&v)[16]) {
  const std::size_t head = std::strlen(msgpasses), len = std::strlen(msg);
  if (std::strncmp(msg, msgpasses, head) != 0 || len < head + 1 || msg[len - 1] != '\n')
    return -1;
  const std::size_t body = len - head - 1;
  if (body % 24 != 0 || body / 24 > 16) return -1;
  int n = 0;
  for (std::size_t i = head; i < len - 1; i += 24) {
    char f[25];
    std::memcpy(f, msg + i, 24);
    f[24] = '\0';
    char* end;
    v[n++] = std::strtod(f, &end);
    if (end == f) return -1;
  }
  return n;
}

// The liquid mole fractions a call hands to the solver.
inline void molefracs(const callcase& c, double& x1, double& x2) {
  if (c.fn == wiltmF || c.fn == wilymF) {
    x1 = c.frac1;
    x2 = 1.0 - c.frac1;
  } else {
    const double s = c.frac1 / c.mw1 + (1.0 - c.frac1) / c.mw2;
    x1 = (c.frac1 / c.mw1) / s;
    x2 = ((1.0 - c.frac1) / c.mw2) / s;
  }
}

// The checks a result must pass on its own.
inline void checkalone(tally& t, const callcase& c, const outcome& o) {
  const double r = o.r;
  switch (c.want) {
    case expect::fail:
      check(t, samebits(r, failval), "%s: %.17g, wanted 1.0E+100", c.id, r);
      break;
    case expect::nan:
      check(t, std::isnan(r), "%s: %.17g, wanted NaN", c.id, r);
      break;
    case expect::ok:
      if (istemp(c.fn))
        check(t, r >= -100.0 && r <= 500.0, "%s: temperature %.17g", c.id, r);
      else
        check(t, r >= 0.0 && r <= 1.0 + 1e-12, "%s: vapour fraction %.17g", c.id, r);
      if (!std::isnan(c.ref)) {
        const double tol = istemp(c.fn) ? 1e-12 * (c.ref + 273.15) : 1e-12;
        check(t, std::fabs(r - c.ref) <= tol, "%s: %.17g, independent value %.17g", c.id, r,
              c.ref);
      }
      break;
  }
  if (c.msg == nullptr) {
    check(t, o.msg[0] == '\0', "%s: wrote \"%s\", wanted nothing", c.id, o.msg);
  } else if (std::strcmp(c.msg, msgrange) == 0) {
    check(t, std::strcmp(o.msg, msgrange) == 0, "%s: wrote \"%s\"", c.id, o.msg);
  } else {
    double v[16], x1, x2;
    molefracs(c, x1, x2);
    const int n = passfields(o.msg, v);
    check(t, n == 3 && v[0] == x1 && v[1] == x2 && v[2] > -100.0 && v[2] < 500.0,
          "%s: wrote \"%s\", wanted the mole fractions and the temperature", c.id, o.msg);
  }
}

// Whether the result b of another build agrees with a.
inline bool agree(int fn, double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  if (a == failval || b == failval) return samebits(a, b);
  if (istemp(fn)) return std::fabs(a - b) <= 1e-11 * (b + 273.15);
  return std::fabs(a - b) <= 1e-11;
}

// Whether two solver lines agree: the same text, or the same fields with numbers that
// agree as temperatures do.
inline bool agreemsg(const char* a, const char* b) {
  if (std::strcmp(a, b) == 0) return true;
  double u[16], v[16];
  const int n = passfields(a, u);
  if (n < 0 || n != passfields(b, v)) return false;
  for (int i = 0; i < n; ++i)
    if (!(std::fabs(u[i] - v[i]) <= 1e-11 * (std::fabs(v[i]) + 273.15))) return false;
  return true;
}

// Distance in units in the last place between two finite doubles of one sign.
inline std::int64_t ulps(double a, double b) {
  std::int64_t i, j;
  std::memcpy(&i, &a, sizeof i);
  std::memcpy(&j, &b, sizeof j);
  return i > j ? i - j : j - i;
}

// Compares the outcomes of this build with those of another one, reporting how many are
// bit for bit the same and the largest difference.
inline void compare(tally& t, const char* what, const outcome (&mine)[ncases],
                    const outcome (&theirs)[ncases]) {
  int same = 0;
  std::int64_t worst = 0;
  const char* worstid = "";
  for (int i = 0; i < ncases; ++i) {
    const callcase& c = cases[i];
    const outcome &a = theirs[i], &b = mine[i];
    check(t, agree(c.fn, a.r, b.r), "%s: %.17g, %s %.17g", c.id, b.r, what, a.r);
    check(t, agreemsg(a.msg, b.msg), "%s: wrote \"%s\", %s \"%s\"", c.id, b.msg, what, a.msg);
    if (samebits(a.r, b.r)) {
      ++same;
    } else if (std::isfinite(a.r) && std::isfinite(b.r) && ulps(a.r, b.r) > worst) {
      worst = ulps(a.r, b.r);
      worstid = c.id;
    }
  }
  std::printf("%s: %d of %d results bit for bit the same", what, same, ncases);
  if (worst > 0)
    std::printf(", largest difference %lld ulp (%s)", static_cast<long long>(worst), worstid);
  std::printf("\n");
}

// Results files: one line per case, "id<TAB>bits<TAB>value<TAB>message" with the
// message's line ends written as \n.
inline bool writeresults(const char* path, const outcome (&out)[ncases]) {
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  for (int i = 0; i < ncases; ++i) {
    std::uint64_t bits;
    std::memcpy(&bits, &out[i].r, sizeof bits);
    std::fprintf(f, "%s\t%016llx\t%.17g\t", cases[i].id, static_cast<unsigned long long>(bits),
                 out[i].r);
    for (const char* m = out[i].msg; *m; ++m)
      if (*m == '\n')
        std::fputs("\\n", f);
      else
        std::fputc(*m, f);
    std::fputc('\n', f);
  }
  return std::fclose(f) == 0;
}

inline bool readresults(const char* path, outcome (&out)[ncases]) {
  std::FILE* f = std::fopen(path, "rb");
  if (!f) {
    std::printf("FAIL cannot open %s\n", path);
    return false;
  }
  char line[2 * msgmax];
  int i = 0;
  bool good = true;
  for (; good && i < ncases && std::fgets(line, sizeof line, f); ++i) {
    char* tab1 = std::strchr(line, '\t');
    char* tab2 = tab1 ? std::strchr(tab1 + 1, '\t') : nullptr;
    char* tab3 = tab2 ? std::strchr(tab2 + 1, '\t') : nullptr;
    if (!tab3) {
      good = false;
      break;
    }
    *tab1 = '\0';
    if (std::strcmp(line, cases[i].id) != 0) {
      good = false;
      break;
    }
    const std::uint64_t bits = std::strtoull(tab1 + 1, nullptr, 16);
    std::memcpy(&out[i].r, &bits, sizeof bits);
    int n = 0;
    for (const char* m = tab3 + 1; *m && *m != '\n' && *m != '\r' && n < msgmax - 1; ++m) {
      if (m[0] == '\\' && m[1] == 'n') {
        out[i].msg[n++] = '\n';
        ++m;
      } else {
        out[i].msg[n++] = *m;
      }
    }
    out[i].msg[n] = '\0';
  }
  std::fclose(f);
  if (!good || i != ncases) {
    std::printf("FAIL %s does not hold the %d cases of this table (line %d)\n", path, ncases,
                i + 1);
    return false;
  }
  return true;
}

inline void closing(const tally& t) { std::printf("%d passed, %d failed\n", t.pass, t.fail); }

}  // namespace corvane::dllcases
