// The first stage that the three loaders share: the data directory, the data paths,
// the component records and the group list. Every loader owns one loaderstate (its
// buffers and working tables, zero when the library is loaded, kept from call to
// call) and runs, in this order: startload (the count check, then finddatadir), its
// clearout, compstage (mkdatapath with its component file, readcomp, mkgrplist,
// reindexnu), then its own parameter stage.
//
// Every step that can fail writes one diagnostic line on standard error naming the file
// (a data file by its path as the platform opens it) and what failed, and sets ierr = 1;
// on success it sets ierr = 0. The loader then returns at once. Every file a step opens
// is closed again before it returns.
#pragma once
#include <cstdint>
#include <cstdio>

#include "modelpar.h"
#include "platform.h"
#include "textread.h"

namespace corvane {

constexpr int nslot = 7;       // group slots in one component record
constexpr int nasoggrp = 43;   // ASOG groups, numbered 1..43
constexpr int maxsub = 400;    // UNIFAC-family subgroups, numbered 1..400
constexpr int maxmain = 200;   // UNIFAC-family main groups, numbered 1..200

// Component-file records: the data bytes at the start of a record, and its length on disk.
constexpr int asogdata = 136;
constexpr int asoglen = 544;
constexpr int unifdata = 156;
constexpr int uniflen = 624;

struct loaderstate {
  char curdir[maxpath];                    // the current directory as last looked up
  char datadir[maxpath];                   // the data directory
  char datapath[maxpath];                  // the path of the data file about to be opened
  std::int32_t slotkey[nslot * maxcomp];   // (k, i): key of slot k of component i
  std::int32_t slotmain[nslot * maxcomp];  // (k, i): its main group (UNIFAC family)
  std::int32_t grplist[nslot * maxcomp];   // the sorted list of distinct keys
  std::int32_t mainlist[nslot * maxcomp];  // main group of each grplist entry (UNIFAC family)
};

extern loaderstate asogstate;     // loadasog's
extern loaderstate munifacstate;  // loadmunifac's
extern loaderstate unifacstate;   // loadunifac's

// One diagnostic line on standard error: "corvane: <file>: <what>".
void diag(const char* file, const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// What a read asked for, which words the diagnostic line of its failure (readfail).
enum readkind : int {
  forline,   // a line, or the rest of one
  forvalue,  // a free-format value
  forcount   // the free-format count of a kind of lines
};

// The diagnostic line of a read of t that ended with s instead of rdok; what names what
// the read asked for. N is the line being read, T the line of the value that stands.
//   Any kind, rderr:  read error after line N
//   forline, rdeof:   the file ends after line N, <what>
//   forvalue:  rdeof, rdunclosed  the file ends after line N, while reading <what>
//              rdnull             line N: a null value where <what> should stand
//              rdslash            line N: a slash where <what> should stand
//              rdrepeat           line T: "<value>" is a repeat count, not <what>
//              any other          line T: "<value>" is not <what>
//   forcount:  rdeof, rdunclosed  the file ends after line N, before the count of <what>
//              rdnull, rdslash    line N: the count of <what> is missing
//              any other          line T: the count of <what>, "<value>", is not an integer
void readfail(const textfile& t, rdstat s, readkind k, const char* what);

// The start of every load (loader: its name, for the diagnostic): tests nc against
// 0..maxcomp before anything else, then runs finddatadir. False when the load ends there.
bool startload(loaderstate& st, const char* loader, const std::int32_t& nc, std::int32_t& ierr);

// Looks up curdir afresh (the process's current directory, or the current directory
// of the drive of the previous answer) and takes datadir from the first value of
// "place.dat" in the process's current directory, or curdir when that file cannot be
// opened (also when it is no regular file) or read. Fails for an empty "place.dat", a
// quoted value without its closing mark, a directory longer than maxpath or holding a
// zero character, and a missing first value when no earlier call set datadir.
void finddatadir(loaderstate& st, std::int32_t& ierr);

// The first value of "place.dat", already open as t, into st.datadir (step 3 of
// finddatadir).
void readplace(textfile& t, loaderstate& st, std::int32_t& ierr);

// datapath = datadir without its trailing blanks, then lit (which begins with a
// backslash). Fails when the path is longer than maxpath.
void mkdatapath(loaderstate& st, const char* lit, std::int32_t& ierr);

// datapath without its trailing blanks, zero-terminated: the path to open.
void pathtext(const loaderstate& st, char (&path)[maxpath + 1]);

// Opens the file that datapath names for reading, its zero-terminated path, in the form
// the platform opens it (ospath), left in path for diagnostics. Null, with a diagnostic
// and ierr = 1, when it cannot be opened or is no regular file.
std::FILE* opendata(const loaderstate& st, char (&path)[maxpath + 1], std::int32_t& ierr);

// A loader's parameter file: mkdatapath with lit, then opendata. Null after a diagnostic.
std::FILE* openparam(loaderstate& st, const char* lit, char (&path)[maxpath + 1],
                     std::int32_t& ierr);

// The loaders' clearing of their outputs: the first maxcomp entries of fhsize, rows
// 1..nslot of every count column, rows and columns 1..nslot of each pair matrix.
void clearout(double (&fhsize)[maxgrp], double (&nuasog)[maxgrp * maxcomp],
              double (&asogm)[maxgrp * maxgrp], double (&asogn)[maxgrp * maxgrp]);
void clearout(double (&nuk)[maxgrp * maxcomp], double (&amn)[maxgrp * maxgrp],
              double (&bmn)[maxgrp * maxgrp], double (&cmn)[maxgrp * maxgrp]);
void clearout(double (&nuk)[maxgrp * maxcomp], double (&amn)[maxgrp * maxgrp]);

// Reads the asogrec records ids(1..nc) of the component file st.datapath: fhsize(i),
// slotkey(1..7, i) and rows 1..7 of column i of nuasog. A record fails its test when
// fhsize(i) < 1.0 or a used slot's group lies outside 1..nasoggrp.
void readcomp(loaderstate& st, const std::int32_t& nc, const std::int32_t (&ids)[maxcomp],
              double (&fhsize)[maxgrp], double (&nuasog)[maxgrp * maxcomp], std::int32_t& ierr);

// Reads the unifrec records ids(1..nc): slotmain(1..7, i), slotkey(1..7, i) and rows 1..7
// of column i of nuk. A record fails its test when nuk(1, i) < 1.0, or a used slot's
// subgroup lies outside 1..maxsub or its main group outside 1..maxmain.
void readcomp(loaderstate& st, const std::int32_t& nc, const std::int32_t (&ids)[maxcomp],
              double (&nuk)[maxgrp * maxcomp], std::int32_t& ierr);

// The same two readers on an open component file f (name: for diagnostics).
void readasogrecs(std::FILE* f, const char* name, loaderstate& st, const std::int32_t& nc,
                  const std::int32_t (&ids)[maxcomp], double (&fhsize)[maxgrp],
                  double (&nuasog)[maxgrp * maxcomp], std::int32_t& ierr);
void readunifrecs(std::FILE* f, const char* name, loaderstate& st, const std::int32_t& nc,
                  const std::int32_t (&ids)[maxcomp], double (&nuk)[maxgrp * maxcomp],
                  std::int32_t& ierr);

// Builds grplist (and mainlist) from columns 1..nc of slotkey (and slotmain) and writes
// ng. Fails, leaving ng as it was, when there are more than maxgrp distinct keys.
void mkgrplist(loaderstate& st, const std::int32_t& nc, std::int32_t& ng, std::int32_t& ierr);

// Rewrites rows 1..ng of count columns 1..nc by list position.
void reindexnu(const loaderstate& st, const std::int32_t& nc, const std::int32_t& ng,
               double (&nu)[maxgrp * maxcomp]);

// The component stage after clearout: mkdatapath with compfile, readcomp, mkgrplist and
// reindexnu, for n components. n must not be the caller's ng, which mkgrplist rewrites:
// the loaders pass their own copy of nc. False when the load ends there. ASOG, with its
// asogrec records, which also fill fhsize:
bool compstage(loaderstate& st, const char* compfile, const std::int32_t& n,
               const std::int32_t (&ids)[maxcomp], std::int32_t& ng, double (&fhsize)[maxgrp],
               double (&nuasog)[maxgrp * maxcomp], std::int32_t& ierr);
// The UNIFAC family, with unifrec records:
bool compstage(loaderstate& st, const char* compfile, const std::int32_t& n,
               const std::int32_t (&ids)[maxcomp], std::int32_t& ng,
               double (&nuk)[maxgrp * maxcomp], std::int32_t& ierr);

}  // namespace corvane
