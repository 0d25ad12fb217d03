// Parsing of the interaction and subgroup lines of the UNIFAC-family parameter files,
// without files.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

#include "support.h"
#include "unifpar.h"
#include "view.h"

namespace corvane {
namespace {

using corvane::testing::samebits;

// A line with each text placed so that it ends in the given column, blanks elsewhere.
std::string at(std::initializer_list<std::pair<int, const char*>> fields) {
  std::string s;
  for (const auto& f : fields) {
    const int start = f.first - static_cast<int>(std::strlen(f.second));
    if (static_cast<int>(s.size()) < start) s.resize(start, ' ');
    s.replace(start, std::strlen(f.second), f.second);
  }
  return s;
}

munifpartab mt;
unifpartab ut;

int inter(const std::string& s, munifpartab& t) { return interline(s.data(), static_cast<int>(s.size()), t); }
int inter(const std::string& s, unifpartab& t) { return interline(s.data(), static_cast<int>(s.size()), t); }
int sub(const std::string& s, double (&r)[maxsub], double (&q)[maxsub]) {
  return subline(s.data(), static_cast<int>(s.size()), r, q);
}

TEST(UnifPar, InitialTables) {
  std::memset(&mt, 0x55, sizeof mt);
  initpar(mt);
  for (double* tab : {mt.amain, mt.bmain, mt.cmain}) {
    const auto m = view<double>{tab, maxmain};
    EXPECT_EQ(m(1, 1), 0.0);
    EXPECT_EQ(m(200, 200), 0.0);
    EXPECT_EQ(m(1, 2), nopar);
    EXPECT_EQ(m(200, 1), nopar);
    EXPECT_EQ(m(1, 200), nopar);
    int zeros = 0;
    for (int k = 0; k < maxmain * maxmain; ++k) zeros += tab[k] == 0.0;
    EXPECT_EQ(zeros, maxmain);
  }
  for (int k = 1; k <= maxsub; ++k) {
    ASSERT_EQ(vec(mt.rsub)(k), 0.0);
    ASSERT_EQ(vec(mt.qsub)(k), 0.0);
  }
  EXPECT_EQ(nopar, 9.99e+101);
}

const std::string modline = at({{3, "1"}, {6, "5"}, {18, "98650000"}, {30, "-4674000"}, {42, "15511000"},
                                 {54, "-229.1"}, {66, "3.824"}, {78, "0.0009181"}, {82, "xyz"}});

TEST(UnifPar, ModifiedInteractionLine) {
  initpar(mt);
  ASSERT_EQ(inter(modline, mt), linestored);
  const auto a = mat<maxmain>(mt.amain), b = mat<maxmain>(mt.bmain), c = mat<maxmain>(mt.cmain);
  EXPECT_EQ(a(1, 5), 986.5);       // 98650000, 5 decimals
  EXPECT_EQ(b(1, 5), -46.74);      // -4674000, 5 decimals
  EXPECT_EQ(c(1, 5), 1551.1);      // 15511000, 4 decimals
  EXPECT_EQ(a(5, 1), -229.1);
  EXPECT_EQ(b(5, 1), 3.824);
  EXPECT_EQ(c(5, 1), 0.0009181);
  EXPECT_EQ(a(1, 1), 0.0);
  EXPECT_EQ(a(5, 5), 0.0);
  EXPECT_EQ(a(1, 7), nopar);
  // 15 without a point: 15e-5 in an a or b field, 15e-4 in a c field.
  ASSERT_EQ(inter(at({{3, "2"}, {6, "3"}, {18, "15"}, {30, "15"}, {42, "15"}, {54, "15"}, {66, "15"},
                      {78, "15"}}), mt),
            linestored);
  EXPECT_EQ(a(2, 3), 0.00015);
  EXPECT_EQ(b(2, 3), 0.00015);
  EXPECT_EQ(c(2, 3), 0.0015);
  EXPECT_EQ(a(3, 2), 0.00015);
  EXPECT_EQ(b(3, 2), 0.00015);
  EXPECT_EQ(c(3, 2), 0.0015);
}

TEST(UnifPar, PlainInteractionLine) {
  initpar(ut);
  const auto a = mat<maxmain>(ut.amain);
  ASSERT_EQ(inter("  1  5     986.5       156.4    anything after column 30", ut), linestored);
  EXPECT_EQ(a(1, 5), 986.5);
  EXPECT_EQ(a(5, 1), 156.4);
  ASSERT_EQ(inter("  1  7          15    -2291000", ut), linestored);
  EXPECT_EQ(a(1, 7), 0.00015);
  EXPECT_EQ(a(7, 1), -22.91);
  // A line ending after column 18 reads a(j,i) as blanks, so 0.
  ASSERT_EQ(inter("  5  7     353.5", ut), linestored);
  EXPECT_EQ(a(5, 7), 353.5);
  EXPECT_TRUE(samebits(a(7, 5), 0.0));
  // The later of (1,5) and (5,1) sets both directions.
  ASSERT_EQ(inter("  5  1       100.0       200.0", ut), linestored);
  EXPECT_EQ(a(5, 1), 100.0);
  EXPECT_EQ(a(1, 5), 200.0);
  // A line naming one main group twice leaves its second value on the diagonal.
  ASSERT_EQ(inter("  9  9        11.0        22.0", ut), linestored);
  EXPECT_EQ(a(9, 9), 22.0);
  // Blanks inside the group numbers and the values are ignored.
  ASSERT_EQ(inter(at({{3, "1 2"}, {6, "1 3"}, {18, "1 2 3. 4"}, {30, "-  5 0.5"}}), ut), linestored);
  EXPECT_EQ(a(12, 13), 123.4);
  EXPECT_EQ(a(13, 12), -50.5);
}

TEST(UnifPar, ShortModifiedLine) {
  initpar(mt);
  const auto a = mat<maxmain>(mt.amain), b = mat<maxmain>(mt.bmain), c = mat<maxmain>(mt.cmain);
  ASSERT_EQ(inter("  1  5       1.0         2.0         3.0", mt), linestored);
  EXPECT_EQ(a(1, 5), 1.0);
  EXPECT_EQ(b(1, 5), 2.0);
  EXPECT_EQ(c(1, 5), 3.0);
  EXPECT_EQ(a(5, 1), 0.0);
  EXPECT_EQ(b(5, 1), 0.0);
  EXPECT_EQ(c(5, 1), 0.0);
  // i = j: the second set of fields ends on the diagonal.
  ASSERT_EQ(inter(at({{3, "4"}, {6, "4"}, {18, "1.0"}, {30, "2.0"}, {42, "3.0"}, {54, "4.0"}, {66, "5.0"},
                      {78, "6.0"}}), mt),
            linestored);
  EXPECT_EQ(a(4, 4), 4.0);
  EXPECT_EQ(b(4, 4), 5.0);
  EXPECT_EQ(c(4, 4), 6.0);
}

// Lines whose group numbers lie outside 1..200 are skipped and store nothing; lines with
// a field that is no number report the field's first column and store nothing either.
TEST(UnifPar, SkippedAndBadInteractionLines) {
  struct linecase {
    const char* line;
    int result;
  };
  const linecase cases[] = {
      {"     5       1.0         2.0", lineskipped},   // blank i reads 0
      {"  5          1.0         2.0", lineskipped},   // blank j
      {"  0  5       1.0         2.0", lineskipped},
      {"201  5       1.0         2.0", lineskipped},
      {"  5201       1.0         2.0", lineskipped},
      {" -1  5       1.0         2.0", lineskipped},
      {"", lineskipped},
      {"200200       1.0         2.0", linestored},
      {"  1  1       1.0         2.0", linestored},
      {" a1  5       1.0         2.0", 1},
      {"  1 5.       1.0         2.0", 4},
      {"  1  5       1.0.        2.0", 7},
      {"  1  5       1.0       2,0  ", 19},
      {"999  5       1.0       x    ", 19},            // a bad field fails before the range
  };
  for (const linecase& c : cases) {
    initpar(ut);
    EXPECT_EQ(inter(c.line, ut), c.result) << '"' << c.line << '"';
    if (c.result == linestored) continue;
    int changed = 0;
    for (int j = 1; j <= maxmain; ++j) {
      for (int i = 1; i <= maxmain; ++i) changed += mat<maxmain>(ut.amain)(i, j) != (i == j ? 0.0 : nopar);
    }
    EXPECT_EQ(changed, 0) << '"' << c.line << '"';
  }
  initpar(mt);
  EXPECT_EQ(inter(at({{3, "1"}, {6, "5"}, {18, "1"}, {30, "2"}, {42, "3"}, {54, "4"}, {66, "5"},
                      {78, "6x7"}}), mt),
            67);
  EXPECT_EQ(mat<maxmain>(mt.amain)(1, 5), nopar);
  EXPECT_EQ(inter(at({{3, "1"}, {6, "400"}, {18, "1"}, {30, "2"}, {42, "3"}, {54, "4"}, {66, "5"},
                      {78, "6"}}), mt),
            lineskipped);
}

TEST(UnifPar, SubgroupLines) {
  initpar(ut);
  const auto r = vec(ut.rsub), q = vec(ut.qsub);
  // Columns 1-2 and 6 are not read, the name in 7-14 may hold anything.
  ASSERT_EQ(sub(at({{2, "xx"}, {5, "1"}, {14, "xCH3,/'\" "}, {24, "0.9011"}, {34, "0.848"}, {40, "any"}}),
                ut.rsub, ut.qsub),
            linestored);
  EXPECT_EQ(r(1), 0.9011);
  EXPECT_EQ(q(1), 0.848);
  // Implied decimals in R and Q, a blank inside the subgroup number, a short line.
  ASSERT_EQ(sub(at({{5, "1 4"}, {14, "OH      "}, {24, "1 0000"}, {34, "12000"}}), ut.rsub, ut.qsub),
            linestored);
  EXPECT_EQ(r(14), 1.0);
  EXPECT_EQ(q(14), 1.2);
  ASSERT_EQ(sub(at({{5, "16"}, {9, "H2O"}, {20, "9200"}}), ut.rsub, ut.qsub), linestored);
  EXPECT_EQ(r(16), 0.92);
  EXPECT_EQ(q(16), 0.0);
  ASSERT_EQ(sub(at({{5, "400"}, {14, "LAST  15"}}), ut.rsub, ut.qsub), linestored);
  EXPECT_EQ(r(400), 0.0);  // the 15 stands in the name columns; R is blank
  ASSERT_EQ(sub(at({{5, "400"}, {10, "LAST"}, {16, "15"}}), ut.rsub, ut.qsub), linestored);
  EXPECT_EQ(r(400), 0.0015);
  // R and Q filling their fields from their first columns, 15 and 25.
  ASSERT_EQ(sub(at({{5, "17"}, {14, "ACH"}, {24, "5.25000001"}, {34, "7.00000003"}}), ut.rsub, ut.qsub),
            linestored);
  EXPECT_EQ(r(17), 5.25000001);
  EXPECT_EQ(q(17), 7.00000003);
  // A later line for the same subgroup overwrites.
  ASSERT_EQ(sub(at({{5, "1"}, {9, "CH3"}, {24, "0.5"}, {34, "0.25"}}), ut.rsub, ut.qsub), linestored);
  EXPECT_EQ(r(1), 0.5);
  EXPECT_EQ(q(1), 0.25);
  // Out of range, blank, bad: nothing stored.
  EXPECT_EQ(sub(at({{9, "CH3"}, {24, "0.1"}, {34, "0.1"}}), ut.rsub, ut.qsub), lineskipped);
  EXPECT_EQ(sub(at({{5, "401"}, {24, "0.1"}, {34, "0.1"}}), ut.rsub, ut.qsub), lineskipped);
  EXPECT_EQ(sub(at({{5, "-1"}, {24, "0.1"}, {34, "0.1"}}), ut.rsub, ut.qsub), lineskipped);
  EXPECT_EQ(sub(at({{5, "1."}, {24, "0.1"}, {34, "0.1"}}), ut.rsub, ut.qsub), 3);
  EXPECT_EQ(sub(at({{5, "1"}, {24, "0.1 x"}, {34, "0.1"}}), ut.rsub, ut.qsub), 15);
  EXPECT_EQ(sub(at({{5, "1"}, {24, "0.1"}, {34, "0.1e"}}), ut.rsub, ut.qsub), 25);
  EXPECT_EQ(r(1), 0.5);
  EXPECT_EQ(q(1), 0.25);
}

}  // namespace
}  // namespace corvane
