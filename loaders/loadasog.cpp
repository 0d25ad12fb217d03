// The ASOG loader.
#include <cstdio>

#include "asogpar.h"
#include "loaders.h"
#include "view.h"

namespace corvane {

double mrow[nasoggrp];
double nrow[nasoggrp];

namespace {

// Skips the n lines of a block, or what is left of them.
bool skiplines(textfile& t, int n, int g) {
  for (int r = 1; r <= n; ++r) {
    const rdstat s = skipline(t);
    if (s != rdok) {
      char where[48];
      std::snprintf(where, sizeof where, "inside block %d of 11 lines", g);
      readfail(t, s, forline, where);
      return false;
    }
  }
  return true;
}

// Reads block g (lines 1 to 11) into mrow and nrow.
bool readblock(textfile& t, int g) {
  if (!skiplines(t, 1, g)) return false;

  // Line 2: the group's number and its name, neither used. A missing value (null, or a
  // slash) does no harm.
  std::int32_t num = 0;
  rdstat s = ffint(t, num);
  if (s != rdok && s != rdnull && s != rdslash) {
    readfail(t, s, forvalue, "the group's number");
    return false;
  }
  char name[64];
  std::int32_t len = 0;
  s = fftext(t, name, sizeof name, len);
  if (s != rdok && s != rdlong && s != rdnull && s != rdslash) {
    readfail(t, s, forvalue, "the group's name");
    return false;
  }
  s = ffend(t);
  if (s != rdok) {
    readfail(t, s, forvalue, "the group's name");
    return false;
  }

  // Lines 3 to 11: m(g,1), n(g,1), ..., m(g,43), n(g,43).
  auto m = vec(mrow);
  auto n = vec(nrow);
  for (int l = 1; l <= nasoggrp; ++l) {
    s = ffreal(t, m(l));
    if (s == rdok) s = ffreal(t, n(l));
    if (s != rdok) {
      readfail(t, s, forvalue, "a number");
      return false;
    }
  }
  s = ffend(t);
  if (s != rdok) {
    readfail(t, s, forvalue, "a number");
    return false;
  }
  return true;
}

}  // namespace

void readprmblocks(textfile& t, const loaderstate& st, const std::int32_t& ng,
                   double (&asogm)[maxgrp * maxgrp], double (&asogn)[maxgrp * maxgrp],
                   std::int32_t& ierr) {
  auto g = vec(st.grplist);
  auto am = mat<maxgrp>(asogm);
  auto an = mat<maxgrp>(asogn);
  auto m = vec(mrow);
  auto n = vec(nrow);
  ierr = 1;
  int j = 1;
  for (int grp = 1; grp <= nasoggrp; ++grp) {
    if (j <= ng && g(j) == grp) {
      if (!readblock(t, grp)) return;
      for (int l = 1; l <= ng; ++l) {
        am(j, l) = m(g(l));
        an(j, l) = n(g(l));
      }
      ++j;
    } else if (!skiplines(t, 11, grp)) {
      return;
    }
  }
  ierr = 0;
}

void readprmaso(loaderstate& st, const std::int32_t& ng, double (&asogm)[maxgrp * maxgrp],
                double (&asogn)[maxgrp * maxgrp], std::int32_t& ierr) {
  char path[maxpath + 1];
  std::FILE* f = openparam(st, "\\prm.aso", path, ierr);
  if (f == nullptr) return;
  textfile t;
  opentext(t, f, path);
  readprmblocks(t, st, ng, asogm, asogn, ierr);
  std::fclose(f);
}

void loadasog(const std::int32_t& nc, const std::int32_t (&ids)[maxcomp], std::int32_t& ng,
              double (&fhsize)[maxgrp], double (&nuasog)[maxgrp * maxcomp],
              double (&asogm)[maxgrp * maxgrp], double (&asogn)[maxgrp * maxgrp],
              std::int32_t& ierr) {
  loaderstate& st = asogstate;
  const std::int32_t n = nc;  // nc may be the caller's ng, which the load rewrites
  if (!startload(st, "loadasog", n, ierr)) return;
  clearout(fhsize, nuasog, asogm, asogn);
  if (!compstage(st, "\\asog.nam", n, ids, ng, fhsize, nuasog, ierr)) return;
  readprmaso(st, ng, asogm, asogn, ierr);
}

}  // namespace corvane
