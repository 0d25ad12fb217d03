// The UNIFAC-family parameter stage: the count lines, interaction lines and subgroup
// lines of "modunifac.par" and "unifac.par" read into each loader's working tables, and
// the loaded values arranged by position in the group list.
#include "unifpar.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "fixedcol.h"
#include "view.h"

namespace corvane {

munifpartab munifpar;
unifpartab unifpar;

namespace {

constexpr int linecap = 80;  // every layout ends by column 78

void initmain(double (&tab)[maxmain * maxmain]) {
  std::fill(std::begin(tab), std::end(tab), nopar);
  const auto m = mat<maxmain>(tab);
  for (int i = 1; i <= maxmain; ++i) m(i, i) = 0.0;
}

void initsub(double (&rsub)[maxsub], double (&qsub)[maxsub]) {
  for (int k = 1; k <= maxsub; ++k) {
    vec(rsub)(k) = 0.0;
    vec(qsub)(k) = 0.0;
  }
}

// One real field of an interaction line.
struct pairfield {
  int col1, col2, d;
  int tab;    // 0 a, 1 b, 2 c
  bool back;  // stored at (j, i) rather than (i, j)
};

constexpr pairfield modfields[] = {
    {7, 18, 5, 0, false},  {19, 30, 5, 1, false}, {31, 42, 4, 2, false},
    {43, 54, 5, 0, true},  {55, 66, 5, 1, true},  {67, 78, 4, 2, true},
};

constexpr pairfield plainfields[] = {
    {7, 18, 5, 0, false},
    {19, 30, 5, 0, true},
};

// Reads the main groups and the values of an interaction line of the given layout;
// every field is read before anything is stored.
template <int nf>
int readpair(const char* line, int len, const pairfield (&layout)[nf], std::int32_t& i,
             std::int32_t& j, double (&v)[nf]) {
  if (!fixint(line, len, 1, 3, i)) return 1;
  if (!fixint(line, len, 4, 6, j)) return 4;
  for (int f = 0; f < nf; ++f) {
    if (!fixreal(line, len, layout[f].col1, layout[f].col2, layout[f].d, v[f])) {
      return layout[f].col1;
    }
  }
  if (i < 1 || i > maxmain || j < 1 || j > maxmain) return lineskipped;
  return linestored;
}

}  // namespace

void initpar(munifpartab& t) {
  initsub(t.rsub, t.qsub);
  initmain(t.amain);
  initmain(t.bmain);
  initmain(t.cmain);
}

void initpar(unifpartab& t) {
  initsub(t.rsub, t.qsub);
  initmain(t.amain);
}

int interline(const char* line, int len, munifpartab& t) {
  std::int32_t i = 0, j = 0;
  double v[6];
  const int r = readpair(line, len, modfields, i, j, v);
  if (r != linestored) return r;
  const view<double> tabs[] = {mat<maxmain>(t.amain), mat<maxmain>(t.bmain),
                               mat<maxmain>(t.cmain)};
  for (int f = 0; f < 6; ++f) {
    const pairfield& p = modfields[f];
    (p.back ? tabs[p.tab](j, i) : tabs[p.tab](i, j)) = v[f];
  }
  return linestored;
}

int interline(const char* line, int len, unifpartab& t) {
  std::int32_t i = 0, j = 0;
  double v[2];
  const int r = readpair(line, len, plainfields, i, j, v);
  if (r != linestored) return r;
  const auto a = mat<maxmain>(t.amain);
  a(i, j) = v[0];
  a(j, i) = v[1];
  return linestored;
}

int subline(const char* line, int len, double (&rsub)[maxsub], double (&qsub)[maxsub]) {
  std::int32_t k = 0;
  double r = 0.0, q = 0.0;
  if (!fixint(line, len, 3, 5, k)) return 3;
  if (!fixreal(line, len, 15, 24, 4, r)) return 15;
  if (!fixreal(line, len, 25, 34, 4, q)) return 25;
  if (k < 1 || k > maxsub) return lineskipped;
  vec(rsub)(k) = r;
  vec(qsub)(k) = q;
  return linestored;
}

namespace {

// Reads a count line: the first free-format value, an integer, then the rest of its line
// is skipped. Empty lines before it are skipped by the read.
bool readcount(textfile& t, const char* what, std::int32_t& n) {
  rdstat s = ffint(t, n);
  if (s == rdok) s = ffend(t);
  if (s == rdok) return true;
  readfail(t, s, forcount, what);
  return false;
}

// Reads the next line into buf; its length, cut to the buffer, into len.
bool nextline(textfile& t, char (&buf)[linecap], int& len, const char* what, std::int32_t r,
              std::int32_t n) {
  std::int32_t full = 0;
  const rdstat s = readline(t, buf, linecap, full);
  if (s == rdok) {
    len = full < linecap ? full : linecap;
    return true;
  }
  char where[64];
  std::snprintf(where, sizeof where, "before %s line %d of %d", what, r, n);
  readfail(t, s, forline, where);
  return false;
}

// Reports the outcome of one parameter line; false when it is a failure.
bool lineresult(const textfile& t, int res, const char* what, int lo, int hi) {
  if (res == linestored) return true;
  if (res == lineskipped) {
    diag(t.name, "line %d: a %s number lies outside %d..%d; the line is skipped", t.lineno,
         what, lo, hi);
    return true;
  }
  diag(t.name, "line %d: the field that begins in column %d is not a number", t.lineno, res);
  return false;
}

template <class tabs>
void readlines(textfile& t, tabs& tab, std::int32_t& ierr) {
  ierr = 1;
  initpar(tab);
  char buf[linecap];
  int len = 0;
  // A count may be any int32, INT32_MAX included. Each counter holds the lines read so far
  // and stops at the count, so it never passes the count, nor does r + 1, which is formed
  // only while r is below it.
  std::int32_t ni = 0;
  if (!readcount(t, "interaction lines", ni)) return;
  for (std::int32_t r = 0; r < ni; ++r) {
    if (!nextline(t, buf, len, "interaction", r + 1, ni)) return;
    if (!lineresult(t, interline(buf, len, tab), "main-group", 1, maxmain)) return;
  }
  std::int32_t ns = 0;
  if (!readcount(t, "subgroup lines", ns)) return;
  for (std::int32_t s = 0; s < ns; ++s) {
    if (!nextline(t, buf, len, "subgroup", s + 1, ns)) return;
    if (!lineresult(t, subline(buf, len, tab.rsub, tab.qsub), "subgroup", 1, maxsub)) return;
  }
  ierr = 0;
}

// qk(j) and rk(j) of the list subgroups.
void fillsub(const loaderstate& st, const std::int32_t& ng, const double (&rsub)[maxsub],
             const double (&qsub)[maxsub], double (&qk)[maxgrp], double (&rk)[maxgrp]) {
  const auto g = vec(st.grplist);
  for (int j = 1; j <= ng; ++j) {
    vec(rk)(j) = vec(rsub)(g(j));
    vec(qk)(j) = vec(qsub)(g(j));
  }
}

using maintab = double[maxmain * maxmain];  // a working pair table
using pairmat = double[maxgrp * maxgrp];    // a caller's pair matrix

// Rows and columns 1..ng of a pair matrix from the main groups of the list positions.
void fillpair(const loaderstate& st, const std::int32_t& ng, const maintab& tab, pairmat& out) {
  const auto m = vec(st.mainlist);
  const auto t = mat<maxmain>(tab);
  const auto o = mat<maxgrp>(out);
  for (int j = 1; j <= ng; ++j) {
    for (int c = 1; c <= ng; ++c) o(j, c) = t(m(j), m(c));
  }
}

// The one body of both readunifpar: opens st.datadir + lit, reads it into the working
// tables tab, then fills qk and rk, and each to[p] from the pair table from[p] of tab.
template <class tabs, int np>
void parstage(loaderstate& st, const char* lit, const std::int32_t& ng, tabs& tab,
              const maintab* const (&from)[np], pairmat* const (&to)[np], double (&qk)[maxgrp],
              double (&rk)[maxgrp], std::int32_t& ierr) {
  char path[maxpath + 1];
  std::FILE* f = openparam(st, lit, path, ierr);
  if (f == nullptr) return;
  textfile t;
  opentext(t, f, path);
  readlines(t, tab, ierr);
  if (ierr == 0) {
    fillsub(st, ng, tab.rsub, tab.qsub, qk, rk);
    for (int p = 0; p < np; ++p) fillpair(st, ng, *from[p], *to[p]);
  }
  std::fclose(f);
}

}  // namespace

void readparlines(textfile& t, munifpartab& tab, std::int32_t& ierr) { readlines(t, tab, ierr); }

void readparlines(textfile& t, unifpartab& tab, std::int32_t& ierr) { readlines(t, tab, ierr); }

void readunifpar(loaderstate& st, const char* lit, const std::int32_t& ng, double (&qk)[maxgrp],
                 double (&rk)[maxgrp], double (&amn)[maxgrp * maxgrp],
                 double (&bmn)[maxgrp * maxgrp], double (&cmn)[maxgrp * maxgrp],
                 std::int32_t& ierr) {
  const maintab* const from[] = {&munifpar.amain, &munifpar.bmain, &munifpar.cmain};
  pairmat* const to[] = {&amn, &bmn, &cmn};
  parstage(st, lit, ng, munifpar, from, to, qk, rk, ierr);
}

void readunifpar(loaderstate& st, const char* lit, const std::int32_t& ng, double (&qk)[maxgrp],
                 double (&rk)[maxgrp], double (&amn)[maxgrp * maxgrp], std::int32_t& ierr) {
  const maintab* const from[] = {&unifpar.amain};
  pairmat* const to[] = {&amn};
  parstage(st, lit, ng, unifpar, from, to, qk, rk, ierr);
}

}  // namespace corvane
