// Fixture text for the UNIFAC-family loader tests and the fuzzing seeds: fixed-column
// lines of "unifac.par" and "modunifac.par", and two small tables of published values.
#pragma once
#include <string>
#include <vector>

namespace corvane::testing {

// Every field is given as its text, right-justified in its columns.
inline std::string cols(const std::string& s, int w) {
  return s.size() >= static_cast<std::size_t>(w) ? s : std::string(w - s.size(), ' ') + s;
}

// "unifac.par": i 1-3, j 4-6, a(i,j) 7-18, a(j,i) 19-30.
inline std::string uline(const std::string& i, const std::string& j, const std::string& aij,
                         const std::string& aji) {
  return cols(i, 3) + cols(j, 3) + cols(aij, 12) + cols(aji, 12);
}

// "modunifac.par": i, j, then a, b, c of (i,j) and of (j,i), twelve columns each.
inline std::string mline(const std::string& i, const std::string& j, const std::string& aij,
                         const std::string& bij, const std::string& cij, const std::string& aji,
                         const std::string& bji, const std::string& cji) {
  return cols(i, 3) + cols(j, 3) + cols(aij, 12) + cols(bij, 12) + cols(cij, 12) + cols(aji, 12) +
         cols(bji, 12) + cols(cji, 12);
}

// Subgroup line: k 3-5, name 7-14, R 15-24, Q 25-34.
inline std::string sline(const std::string& k, const std::string& name, const std::string& r,
                         const std::string& q) {
  std::string nm = name;
  nm.resize(8, ' ');
  return "  " + cols(k, 3) + " " + nm + cols(r, 10) + cols(q, 10);
}

// A parameter file: the count, the interaction lines, the count, the subgroup lines.
inline std::string parfile(const std::vector<std::string>& inter,
                           const std::vector<std::string>& sub) {
  std::string s = std::to_string(inter.size()) + "\n";
  for (const std::string& l : inter) s += l + "\n";
  s += std::to_string(sub.size()) + "\n";
  for (const std::string& l : sub) s += l + "\n";
  return s;
}

// Original UNIFAC, Hansen et al., Ind. Eng. Chem. Res. 30 (1991) 2352: subgroups CH3 (1),
// CH2 (2), OH (14), H2O (16) and CH3CO (19, of main group 9); main groups CH2 (1), OH (5),
// H2O (7), CH2CO (9). The values are written in several of the field forms: with a
// point, with implied decimals, with an exponent.
inline std::string unifacpar() {
  return parfile({uline("1", "5", "98650000", "156.4"), uline("1", "7", "1318.0", "3.0E2"),
                  uline("1", "9", "476.4", "26.76"), uline("5", "7", "353.5", "-22910000"),
                  uline("5", "9", "84.0", "164.5"), uline("7", "9", "-195.4", "472.5")},
                 {sline("1", "CH3", "9011", "0.848"), sline("2", "CH2", "0.6744", "5400"),
                  sline("14", "OH", "1.0", "1.2"), sline("16", "H2O", "0.92", "14E3"),
                  sline("19", "CH3CO", "1.6724", "1.488")});
}

// Modified UNIFAC (Dortmund): main groups CH2 (1), OH (5), H2O (7) with a, b and c;
// subgroups CH3 (1), CH2 (2), OH(p) (14), H2O (16). Values as in the reference data of
// the tests (the thermo library's modified UNIFAC table).
inline std::string dortmundpar() {
  return parfile(
      {mline("1", "5", "2777.0", "-4.674", "1551E-2", "1606.0", "-474600", "0.0009181"),
       mline("1", "7", "1391.3", "-3.6156", "0.001144", "-1725300", "0.8389", "0.9021E-3"),
       mline("5", "7", "-801.9", "3.824", "-0.007514", "1460.0", "-8.673", "164.1-4")},
      {sline("1", "CH3", "6325", "1.0608"), sline("2", "CH2", "0.6325", "0.7081"),
       sline("14", "OH(P)", "1.2302", "8927"), sline("16", "H2O", "1.7334", "2.4561")});
}

}  // namespace corvane::testing
