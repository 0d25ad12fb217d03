// The loaders' shared first stage.
#include "stage.h"

#include <cstdarg>
#include <cstring>

#include "view.h"

namespace corvane {

loaderstate asogstate;
loaderstate munifacstate;
loaderstate unifacstate;

namespace {

// Stores the n characters of text in a buffer of maxpath characters, padded with blanks.
void store(char (&buf)[maxpath], const char* text, int n) {
  std::memmove(buf, text, static_cast<std::size_t>(n));
  std::memset(buf + n, ' ', static_cast<std::size_t>(maxpath - n));
}

// Length of a buffer without its trailing blanks (code 32 only).
int trimmed(const char (&buf)[maxpath]) {
  int n = maxpath;
  while (n > 0 && buf[n - 1] == ' ') --n;
  return n;
}

// Rows 1..nslot of every count column, and rows and columns 1..nslot of a pair matrix.
void clearcounts(double (&nu)[maxgrp * maxcomp]) {
  auto c = mat<maxgrp>(nu);
  for (int i = 1; i <= maxcomp; ++i) {
    for (int k = 1; k <= nslot; ++k) c(k, i) = 0.0;
  }
}

void clearcorner(double (&pm)[maxgrp * maxgrp]) {
  auto a = mat<maxgrp>(pm);
  for (int j = 1; j <= nslot; ++j) {
    for (int k = 1; k <= nslot; ++k) a(k, j) = 0.0;
  }
}

// Little-endian fields at any byte offset.
std::int32_t getint(const unsigned char* b) {
  std::uint32_t u = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
                    std::uint32_t{b[3]} << 24;
  std::int32_t v;
  std::memcpy(&v, &u, sizeof v);
  return v;
}

double getreal(const unsigned char* b) {
  std::uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = u << 8 | b[i];
  double v;
  std::memcpy(&v, &u, sizeof v);
  return v;
}

// Reads the data bytes of record id of a file of records of reclen bytes into buf.
bool readrec(std::FILE* f, const char* name, std::int32_t id, int reclen, unsigned char* buf,
             int datalen) {
  if (id < 1) {
    diag(name, "record %d: a record number below 1", id);
    return false;
  }
  if (!seekto(f, (std::int64_t{id} - 1) * reclen)) {
    diag(name, "record %d: cannot be reached", id);
    return false;
  }
  std::size_t got = std::fread(buf, 1, static_cast<std::size_t>(datalen), f);
  if (got == static_cast<std::size_t>(datalen)) return true;
  if (std::ferror(f)) {
    diag(name, "record %d: read error", id);
  } else if (got == 0) {
    diag(name, "record %d: past the end of the file", id);
  } else {
    diag(name, "record %d: the file ends inside its data bytes", id);
  }
  return false;
}

}  // namespace

void diag(const char* file, const char* fmt, ...) {
  char what[1024];  // room for a value of toklen bytes, shown with its zero bytes escaped
  std::va_list ap;
  va_start(ap, fmt);
  std::vsnprintf(what, sizeof what, fmt, ap);
  va_end(ap);
  std::fprintf(stderr, "corvane: %s: %s\n", file, what);
  std::fflush(stderr);
}

void readfail(const textfile& t, rdstat s, readkind k, const char* what) {
  if (s == rderr) {
    diag(t.name, "read error after line %d", t.lineno);
    return;
  }
  const bool ends = s == rdeof || s == rdunclosed;
  switch (k) {
    case forline:
      diag(t.name, "the file ends after line %d, %s", t.lineno, what);
      return;
    case forvalue:
      if (ends) {
        diag(t.name, "the file ends after line %d, while reading %s", t.lineno, what);
      } else if (s == rdnull) {
        diag(t.name, "line %d: a null value where %s should stand", t.lineno, what);
      } else if (s == rdslash) {
        diag(t.name, "line %d: a slash where %s should stand", t.lineno, what);
      } else if (s == rdrepeat) {
        diag(t.name, "line %d: \"%s\" is a repeat count, not %s", t.tokline, shown(t).s, what);
      } else {
        diag(t.name, "line %d: \"%s\" is not %s", t.tokline, shown(t).s, what);
      }
      return;
    case forcount:
      if (ends) {
        diag(t.name, "the file ends after line %d, before the count of %s", t.lineno, what);
      } else if (s == rdnull || s == rdslash) {
        diag(t.name, "line %d: the count of %s is missing", t.lineno, what);
      } else {
        diag(t.name, "line %d: the count of %s, \"%s\", is not an integer", t.tokline, what,
             shown(t).s);
      }
      return;
  }
}

bool startload(loaderstate& st, const char* loader, const std::int32_t& nc, std::int32_t& ierr) {
  if (nc < 0 || nc > maxcomp) {
    diag(loader, "nc = %d lies outside 0..%d", nc, maxcomp);
    ierr = 1;
    return false;
  }
  finddatadir(st, ierr);
  return ierr == 0;
}

void finddatadir(loaderstate& st, std::int32_t& ierr) {
  ierr = 0;
  // 1. The current directory: of the drive of the previous answer, or of the process.
  char dir[maxpath];
  char c = st.curdir[0];
  int n;
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
    n = getdrivedir(static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c), dir);
  } else {
    n = getcurdir(dir);
  }
  if (n < 0) n = 0;
  store(st.curdir, dir, n);

  // 2.-4. The first value of "place.dat", or curdir.
  const char place[maxpath + 1] = "place.dat";
  std::FILE* f = openread(place);
  if (f == nullptr) {
    std::memcpy(st.datadir, st.curdir, sizeof st.datadir);
  } else {
    textfile t;
    opentext(t, f, "place.dat");
    readplace(t, st, ierr);
    std::fclose(f);
    if (ierr != 0) return;
  }
  if (st.datadir[0] == '\0') {
    diag("place.dat", "its first value is missing and no data directory was set before");
    ierr = 1;
  }
}

void readplace(textfile& t, loaderstate& st, std::int32_t& ierr) {
  char dir[maxpath];
  std::int32_t len = 0;
  rdstat s = fftext(t, dir, maxpath, len);
  ierr = 0;
  switch (s) {
    case rdok:
      if (std::memchr(dir, '\0', static_cast<std::size_t>(len)) != nullptr) {
        diag(t.name, "line %d: the data directory holds a zero character", t.lineno);
        ierr = 1;
        return;
      }
      store(st.datadir, dir, len);
      return;
    case rderr:
      std::memcpy(st.datadir, st.curdir, sizeof st.datadir);
      return;
    case rdnull:
    case rdslash:
      return;  // no value: datadir keeps what it held
    case rdlong:
      diag(t.name, "line %d: the data directory is longer than %d characters", t.lineno, maxpath);
      break;
    case rdunclosed:
      diag(t.name, "the file ends inside the quoted data directory");
      break;
    default:
      diag(t.name, "holds no value");
      break;
  }
  ierr = 1;
}

void mkdatapath(loaderstate& st, const char* lit, std::int32_t& ierr) {
  int n = trimmed(st.datadir);
  int m = static_cast<int>(std::strlen(lit));
  if (n + m > maxpath) {
    diag(lit + 1, "the data path (data directory of %d characters and %s) is longer than %d",
         n, lit, maxpath);
    ierr = 1;
    return;
  }
  char path[maxpath];
  std::memcpy(path, st.datadir, static_cast<std::size_t>(n));
  std::memcpy(path + n, lit, static_cast<std::size_t>(m));
  store(st.datapath, path, n + m);
  ierr = 0;
}

void pathtext(const loaderstate& st, char (&path)[maxpath + 1]) {
  int n = trimmed(st.datapath);
  std::memcpy(path, st.datapath, static_cast<std::size_t>(n));
  path[n] = '\0';
}

std::FILE* opendata(const loaderstate& st, char (&path)[maxpath + 1], std::int32_t& ierr) {
  pathtext(st, path);
  ospath(path);  // the diagnostics name the file as the platform opens it
  std::FILE* f = openread(path);
  if (f == nullptr) {
    diag(path, "cannot be opened");
    ierr = 1;
  }
  return f;
}

std::FILE* openparam(loaderstate& st, const char* lit, char (&path)[maxpath + 1],
                     std::int32_t& ierr) {
  mkdatapath(st, lit, ierr);
  if (ierr != 0) return nullptr;
  return opendata(st, path, ierr);
}

void clearout(double (&fhsize)[maxgrp], double (&nuasog)[maxgrp * maxcomp],
              double (&asogm)[maxgrp * maxgrp], double (&asogn)[maxgrp * maxgrp]) {
  auto fh = vec(fhsize);
  for (int i = 1; i <= maxcomp; ++i) fh(i) = 0.0;
  clearcounts(nuasog);
  clearcorner(asogm);
  clearcorner(asogn);
}

void clearout(double (&nuk)[maxgrp * maxcomp], double (&amn)[maxgrp * maxgrp],
              double (&bmn)[maxgrp * maxgrp], double (&cmn)[maxgrp * maxgrp]) {
  clearcounts(nuk);
  clearcorner(amn);
  clearcorner(bmn);
  clearcorner(cmn);
}

void clearout(double (&nuk)[maxgrp * maxcomp], double (&amn)[maxgrp * maxgrp]) {
  clearcounts(nuk);
  clearcorner(amn);
}

void readcomp(loaderstate& st, const std::int32_t& nc, const std::int32_t (&ids)[maxcomp],
              double (&fhsize)[maxgrp], double (&nuasog)[maxgrp * maxcomp], std::int32_t& ierr) {
  char path[maxpath + 1];
  std::FILE* f = opendata(st, path, ierr);
  if (f == nullptr) return;
  readasogrecs(f, path, st, nc, ids, fhsize, nuasog, ierr);
  std::fclose(f);
}

void readcomp(loaderstate& st, const std::int32_t& nc, const std::int32_t (&ids)[maxcomp],
              double (&nuk)[maxgrp * maxcomp], std::int32_t& ierr) {
  char path[maxpath + 1];
  std::FILE* f = opendata(st, path, ierr);
  if (f == nullptr) return;
  readunifrecs(f, path, st, nc, ids, nuk, ierr);
  std::fclose(f);
}

void readasogrecs(std::FILE* f, const char* name, loaderstate& st, const std::int32_t& nc,
                  const std::int32_t (&ids)[maxcomp], double (&fhsize)[maxgrp],
                  double (&nuasog)[maxgrp * maxcomp], std::int32_t& ierr) {
  ierr = 0;
  auto id = vec(ids);
  auto fh = vec(fhsize);
  auto nu = mat<maxgrp>(nuasog);
  auto key = mat<nslot>(st.slotkey);
  for (int i = 1; i <= nc; ++i) {
    unsigned char rec[asogdata];
    if (!readrec(f, name, id(i), asoglen, rec, asogdata)) {
      ierr = 1;
      return;
    }
    fh(i) = getreal(rec + 44);
    for (int k = 1; k <= nslot; ++k) {
      key(k, i) = getint(rec + 52 + 12 * (k - 1));
      nu(k, i) = getreal(rec + 56 + 12 * (k - 1));
    }
    if (fh(i) < 1.0) {
      ierr = 1;
      return;
    }
    for (int k = 1; k <= nslot; ++k) {
      if (key(k, i) != 0 && (key(k, i) < 1 || key(k, i) > nasoggrp)) {
        diag(name, "record %d, slot %d: ASOG group %d lies outside 1..%d", id(i), k, key(k, i),
             nasoggrp);
        ierr = 1;
        return;
      }
    }
  }
}

void readunifrecs(std::FILE* f, const char* name, loaderstate& st, const std::int32_t& nc,
                  const std::int32_t (&ids)[maxcomp], double (&nuk)[maxgrp * maxcomp],
                  std::int32_t& ierr) {
  ierr = 0;
  auto id = vec(ids);
  auto nu = mat<maxgrp>(nuk);
  auto key = mat<nslot>(st.slotkey);
  auto mainof = mat<nslot>(st.slotmain);
  for (int i = 1; i <= nc; ++i) {
    unsigned char rec[unifdata];
    if (!readrec(f, name, id(i), uniflen, rec, unifdata)) {
      ierr = 1;
      return;
    }
    for (int k = 1; k <= nslot; ++k) {
      mainof(k, i) = getint(rec + 44 + 16 * (k - 1));
      key(k, i) = getint(rec + 48 + 16 * (k - 1));
      nu(k, i) = getreal(rec + 52 + 16 * (k - 1));
    }
    if (nu(1, i) < 1.0) {
      ierr = 1;
      return;
    }
    for (int k = 1; k <= nslot; ++k) {
      if (key(k, i) == 0) continue;
      if (key(k, i) < 1 || key(k, i) > maxsub) {
        diag(name, "record %d, slot %d: subgroup %d lies outside 1..%d", id(i), k, key(k, i),
             maxsub);
        ierr = 1;
        return;
      }
      if (mainof(k, i) < 1 || mainof(k, i) > maxmain) {
        diag(name, "record %d, slot %d: main group %d of subgroup %d lies outside 1..%d", id(i),
             k, mainof(k, i), key(k, i), maxmain);
        ierr = 1;
        return;
      }
    }
  }
}

void mkgrplist(loaderstate& st, const std::int32_t& nc, std::int32_t& ng, std::int32_t& ierr) {
  const int n = nslot * nc;
  auto g = vec(st.grplist);
  auto mg = vec(st.mainlist);
  auto key = mat<nslot>(st.slotkey);
  auto mainof = mat<nslot>(st.slotmain);

  // Flatten.
  for (int i = 1; i <= nc; ++i) {
    for (int k = 1; k <= nslot; ++k) {
      g(nslot * (i - 1) + k) = key(k, i);
      mg(nslot * (i - 1) + k) = mainof(k, i);
    }
  }
  // Remove repeats: the first occurrence of a key survives, with its main group.
  for (int a = 1; a <= n - 1; ++a) {
    for (int b = a + 1; b <= n; ++b) {
      if (g(a) != 0 && g(b) == g(a)) {
        g(b) = 0;
        mg(b) = 0;
      }
    }
  }
  // Sort ascending by exchange; the zeros come first.
  for (int a = 1; a <= n - 1; ++a) {
    for (int b = a + 1; b <= n; ++b) {
      if (g(a) > g(b)) {
        std::int32_t t = g(a);
        g(a) = g(b);
        g(b) = t;
        t = mg(a);
        mg(a) = mg(b);
        mg(b) = t;
      }
    }
  }
  // Count, compact, clear.
  int z = 0;
  for (int a = 1; a <= n; ++a) {
    if (g(a) == 0) ++z;
  }
  const int ngl = n - z;
  if (ngl > 0) {
    for (int a = 1; a <= ngl; ++a) {
      g(a) = g(z + a);
      mg(a) = mg(z + a);
    }
  }
  for (int a = ngl + 1; a <= n; ++a) {
    g(a) = 0;
    mg(a) = 0;
  }

  if (ngl > maxgrp) {
    char path[maxpath + 1];
    pathtext(st, path);
    ospath(path);
    diag(path, "the chosen components have %d distinct groups, more than %d", ngl, maxgrp);
    ierr = 1;
    return;
  }
  ng = ngl;
  ierr = 0;
}

void reindexnu(const loaderstate& st, const std::int32_t& nc, const std::int32_t& ng,
               double (&nu)[maxgrp * maxcomp]) {
  if (ng <= 0) return;
  auto g = vec(st.grplist);
  auto key = mat<nslot>(st.slotkey);
  auto cnt = mat<maxgrp>(nu);
  for (int i = 1; i <= nc; ++i) {
    double col[maxgrp] = {};
    auto c = vec(col);
    for (int k = 1; k <= nslot; ++k) {
      if (key(k, i) == 0) continue;
      for (int j = 1; j <= ng; ++j) {
        if (g(j) == key(k, i)) {
          c(j) = cnt(k, i);
          break;
        }
      }
    }
    for (int j = 1; j <= ng; ++j) cnt(j, i) = c(j);
  }
}

namespace {

// mkgrplist and reindexnu, the end of both component stages.
bool groupstage(loaderstate& st, const std::int32_t& n, std::int32_t& ng,
                double (&nu)[maxgrp * maxcomp], std::int32_t& ierr) {
  mkgrplist(st, n, ng, ierr);
  if (ierr != 0) return false;
  reindexnu(st, n, ng, nu);
  return true;
}

}  // namespace

bool compstage(loaderstate& st, const char* compfile, const std::int32_t& n,
               const std::int32_t (&ids)[maxcomp], std::int32_t& ng, double (&fhsize)[maxgrp],
               double (&nuasog)[maxgrp * maxcomp], std::int32_t& ierr) {
  mkdatapath(st, compfile, ierr);
  if (ierr != 0) return false;
  readcomp(st, n, ids, fhsize, nuasog, ierr);
  if (ierr != 0) return false;
  return groupstage(st, n, ng, nuasog, ierr);
}

bool compstage(loaderstate& st, const char* compfile, const std::int32_t& n,
               const std::int32_t (&ids)[maxcomp], std::int32_t& ng,
               double (&nuk)[maxgrp * maxcomp], std::int32_t& ierr) {
  mkdatapath(st, compfile, ierr);
  if (ierr != 0) return false;
  readcomp(st, n, ids, nuk, ierr);
  if (ierr != 0) return false;
  return groupstage(st, n, ng, nuk, ierr);
}

}  // namespace corvane
