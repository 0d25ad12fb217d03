// The parameter stage of the UNIFAC-family loaders: the main-group interaction
// parameters and the subgroup R and Q read from the fixed-column files "modunifac.par"
// and "unifac.par", and their arrangement by position in the group list.
#pragma once
#include <cstdint>

#include "stage.h"

namespace corvane {

constexpr double nopar = 9.99e+101;  // a pair of two main groups the file does not give

// Working tables of the modified UNIFAC parameter stage: a, b and c of every ordered
// main-group pair (i, j) at (i, j), and R and Q of every subgroup k at k.
struct munifpartab {
  double amain[maxmain * maxmain];
  double bmain[maxmain * maxmain];
  double cmain[maxmain * maxmain];
  double rsub[maxsub];
  double qsub[maxsub];
};

// Working tables of the UNIFAC parameter stage: a only.
struct unifpartab {
  double amain[maxmain * maxmain];
  double rsub[maxsub];
  double qsub[maxsub];
};

// Result of reading one parameter line: stored, skipped because a group number lies
// outside its range, or (any positive value) the first column of a field that holds no
// number.
constexpr int linestored = 0;
constexpr int lineskipped = -1;

// R and Q of every subgroup 0, and every main-group pair nopar, the pairs of a main
// group with itself 0.
void initpar(munifpartab& t);
void initpar(unifpartab& t);

// An interaction line of "modunifac.par": i in columns 1-3, j in 4-6, then a, b, c of
// the direction (i, j) and a, b, c of (j, i), twelve columns each, with 5, 5 and 4
// implied decimals. The six values are stored from left to right, so a line with i = j
// leaves the second set in the diagonal entry.
int interline(const char* line, int len, munifpartab& t);

// An interaction line of "unifac.par": i in columns 1-3, j in 4-6, a(i,j) in 7-18 and
// a(j,i) in 19-30, with 5 implied decimals.
int interline(const char* line, int len, unifpartab& t);

// A subgroup line: subgroup k in columns 3-5, its name in 7-14 (not used), R in 15-24 and
// Q in 25-34, with 4 implied decimals.
int subline(const char* line, int len, double (&rsub)[maxsub], double (&qsub)[maxsub]);

// Each loader's working tables.
extern munifpartab munifpar;  // loadmunifac's
extern unifpartab unifpar;    // loadunifac's

// The parameter stage of loadmunifac: opens st.datadir + lit, sets up munifpar, reads the
// file's interaction and subgroup lines into it, then fills qk(j), rk(j) for j = 1..ng
// from the subgroups st.grplist(j), and rows and columns 1..ng of amn, bmn and cmn from
// the main groups st.mainlist(j). A line whose group numbers lie outside 1..maxmain or
// 1..maxsub is skipped with a warning line on standard error. Fails (diagnostic with
// the line, ierr = 1, no output written) when the file cannot be opened or read, ends
// before its counted lines, a count is missing or no integer, or a field is no number.
void readunifpar(loaderstate& st, const char* lit, const std::int32_t& ng, double (&qk)[maxgrp],
                 double (&rk)[maxgrp], double (&amn)[maxgrp * maxgrp],
                 double (&bmn)[maxgrp * maxgrp], double (&cmn)[maxgrp * maxgrp],
                 std::int32_t& ierr);

// The same for loadunifac, with unifpar and amn only.
void readunifpar(loaderstate& st, const char* lit, const std::int32_t& ng, double (&qk)[maxgrp],
                 double (&rk)[maxgrp], double (&amn)[maxgrp * maxgrp], std::int32_t& ierr);

// The reading part of readunifpar on the open file t: sets up the tables and reads the
// count lines, interaction lines and subgroup lines into them. ierr = 0 or, after a
// diagnostic, 1.
void readparlines(textfile& t, munifpartab& tab, std::int32_t& ierr);
void readparlines(textfile& t, unifpartab& tab, std::int32_t& ierr);

}  // namespace corvane
