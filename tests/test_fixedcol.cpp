// The fixed-column numeric field readers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "fixedcol.h"
#include "support.h"

namespace corvane {
namespace {

using corvane::testing::samebits;

constexpr double inf = std::numeric_limits<double>::infinity();

struct realcase {
  const char* field;
  int d;
  bool ok;
  double v;  // expected value; the compiler rounds each literal correctly
};

// Each field is read as columns 1..12 of a line that holds only the field, so a field
// shorter than 12 characters is also a short line.
const realcase realcases[] = {
    {"", 4, true, 0.0},
    {"            ", 5, true, 0.0},
    {"15", 4, true, 0.0015},
    {"15", 5, true, 0.00015},
    {"-15", 5, true, -0.00015},
    {"+15", 4, true, 0.0015},
    {"  1 5   ", 4, true, 0.0015},
    {"- 1 5", 5, true, -0.00015},
    {"3", 5, true, 3e-05},   // 3 * 1e-5 would give 3.0000000000000004e-05
    {"12", 4, true, 0.0012}, // 12 * 1e-4 would give 0.0012000000000000001
    {"98650000", 5, true, 986.5},
    {"-22910000", 5, true, -229.1},
    {"9011", 4, true, 0.9011},
    {"0.75", 4, true, 0.75},
    {"0.75", 5, true, 0.75},
    {"5", 0, true, 5.0},
    {"5.", 4, true, 5.0},
    {".5", 4, true, 0.5},
    {"5.25", 5, true, 5.25},
    {"-.5", 5, true, -0.5},
    {"986.5", 5, true, 986.5},
    {"-229.1", 5, true, -229.1},
    {"1 318 .0", 5, true, 1318.0},
    {"15E2", 4, true, 0.15},
    {"15e2", 4, true, 0.15},
    {"15D2", 4, true, 0.15},
    {"15d-2", 4, true, 15e-6},
    {"15+02", 4, true, 0.15},
    {"15-02", 4, true, 15e-6},
    {"1.5E+02", 4, true, 150.0},
    {"1.5e-2", 4, true, 0.015},
    {"1.5D2", 5, true, 150.0},
    {"1.5+02", 4, true, 150.0},
    {"1.5-02", 4, true, 0.015},
    {"1.5 E + 0 2", 4, true, 150.0},
    {"1.5E02", 0, true, 150.0},
    {"0", 4, true, 0.0},
    {"000000000015", 4, true, 0.0015},
    {"123456789012", 4, true, 12345678.9012},
    {"1.234567E-30", 4, true, 1.234567e-30},
    {"12345678E-30", 4, true, 12345678e-34},
    {"1E400", 0, true, inf},
    {"-1.0E400", 4, true, -inf},
    {"1E99999999", 4, true, inf},
    {"1E-400", 0, true, 0.0},
    {"1E-99999999", 4, true, 0.0},
    {"2.5E-320", 4, true, 2.5e-320},  // subnormal, still exact to the nearest
    // Not numbers.
    {"+", 4, false, 0},
    {"-", 4, false, 0},
    {".", 4, false, 0},
    {"+.", 4, false, 0},
    {"-.E5", 4, false, 0},
    {"E5", 4, false, 0},
    {"1.2.3", 4, false, 0},
    {"1..", 4, false, 0},
    {"1E", 4, false, 0},
    {"1E+", 4, false, 0},
    {"1+", 4, false, 0},
    {"1E5.", 4, false, 0},
    {"1E5E3", 4, false, 0},
    {"1E+-3", 4, false, 0},
    {"1+-3", 4, false, 0},
    {"--1", 4, false, 0},
    {"+-1", 4, false, 0},
    {"1-", 4, false, 0},
    {"1x", 4, false, 0},
    {"abc", 4, false, 0},
    {"1,5", 4, false, 0},
    {"1\t5", 4, false, 0},
    {"0x10", 4, false, 0},
    {"inf", 4, false, 0},
    {"nan", 4, false, 0},
    {"1F5", 4, false, 0},
};

TEST(FixedCol, RealFields) {
  for (const realcase& c : realcases) {
    const double sentinel = -777.0;
    double v = sentinel;
    const bool ok = fixreal(c.field, static_cast<int>(std::strlen(c.field)), 1, 12, c.d, v);
    EXPECT_EQ(ok, c.ok) << '"' << c.field << '"';
    if (c.ok) {
      EXPECT_TRUE(samebits(v, c.v)) << '"' << c.field << "\" d=" << c.d << " read "
                                    << v << ", expected " << c.v;
    } else {
      EXPECT_TRUE(samebits(v, sentinel)) << '"' << c.field << "\" changed v";
    }
  }
}

// Long fields: more digits than a double holds exactly, and exponents beyond the exact
// powers of ten.
TEST(FixedCol, RealLongFields) {
  const realcase cases[] = {
      {"900719925474099", 0, true, 900719925474099.0},
      {"9007199254740993", 0, true, 9007199254740992.0},  // 2^53 + 1: ties to even
      {"9007199254740995", 0, true, 9007199254740996.0},
      {"1234567890123456789", 0, true, 1234567890123456789.0},
      {"0.1000000000000000055511151231257827", 0, true, 0.1},
      {"0.1000000000000000124900090270330611", 0, true, 0.10000000000000002},
      {"1000000000000000000000000", 0, true, 1e24},
      {"1E23", 0, true, 1e23},
      {"1E22", 0, true, 1e22},
      {"123456789012345E-22", 0, true, 123456789012345e-22},
      {"123456789012345E-23", 0, true, 123456789012345e-23},
      {"1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6", 4, true, 123456789012.3456},
      {"17976931348623157E292", 0, true, 1.7976931348623157e308},
      {"17976931348623159E292", 0, true, inf},
      {"4940656458412465E-339", 0, true, 4.940656458412465e-324},
  };
  for (const realcase& c : cases) {
    double v = -777.0;
    ASSERT_TRUE(fixreal(c.field, static_cast<int>(std::strlen(c.field)), 1, 64, c.d, v)) << c.field;
    EXPECT_TRUE(samebits(v, c.v)) << '"' << c.field << "\" read " << v << ", expected " << c.v;
  }
}

TEST(FixedCol, RealSignOfZero) {
  double v = 1.0;
  ASSERT_TRUE(fixreal("-0", 2, 1, 2, 4, v));
  EXPECT_TRUE(std::signbit(v) && v == 0.0);
  ASSERT_TRUE(fixreal("-1E-400", 7, 1, 7, 4, v));
  EXPECT_TRUE(std::signbit(v) && v == 0.0);
}

struct intcase {
  const char* field;
  bool ok;
  int v;
};

const intcase intcases[] = {
    {"", true, 0},
    {"   ", true, 0},
    {"  1", true, 1},
    {"1  ", true, 1},
    {"1 2", true, 12},
    {"-5", true, -5},
    {"+7", true, 7},
    {"- 7", true, -7},
    {"007", true, 7},
    {"2147483647", true, 2147483647},
    {"-2147483648", true, -2147483647 - 1},
    {"2147483648", false, 0},
    {"-2147483649", false, 0},
    {"99999999999999999999", false, 0},
    {"+", false, 0},
    {"-", false, 0},
    {"1.", false, 0},
    {"1.0", false, 0},
    {"1e2", false, 0},
    {"1a", false, 0},
    {"--1", false, 0},
    {"1-", false, 0},
    {"1,2", false, 0},
};

TEST(FixedCol, IntegerFields) {
  for (const intcase& c : intcases) {
    std::int32_t v = -777;
    const bool ok = fixint(c.field, static_cast<int>(std::strlen(c.field)), 1, 20, v);
    EXPECT_EQ(ok, c.ok) << '"' << c.field << '"';
    EXPECT_EQ(v, c.ok ? c.v : -777) << '"' << c.field << '"';
  }
}

// Fields are taken from their own columns of a longer line; columns past the end of a
// short line are blanks.
TEST(FixedCol, ColumnsOfALine) {
  const char* line = "  1  5  98650000   1.5E+02xyz";
  const int len = static_cast<int>(std::strlen(line));
  std::int32_t i = 0, j = 0;
  double a = 0.0, b = 0.0, c = -1.0;
  ASSERT_TRUE(fixint(line, len, 1, 3, i));
  ASSERT_TRUE(fixint(line, len, 4, 6, j));
  ASSERT_TRUE(fixreal(line, len, 7, 18, 5, a));
  EXPECT_FALSE(fixreal(line, len, 19, 30, 5, b));  // runs into "xyz"
  ASSERT_TRUE(fixreal(line, len, 19, 26, 5, b));
  ASSERT_TRUE(fixreal(line, len, 31, 42, 4, c));   // wholly past the end
  EXPECT_EQ(i, 1);
  EXPECT_EQ(j, 5);
  EXPECT_EQ(a, 986.5);
  EXPECT_EQ(b, 150.0);
  EXPECT_EQ(c, 0.0);
  // A field cut by the end of the line reads what it holds.
  ASSERT_TRUE(fixreal(line, 10, 7, 18, 5, a));
  EXPECT_EQ(a, 0.00098);
  // The line's length, not a terminator, ends the line.
  ASSERT_TRUE(fixint("12\0" "34", 5, 1, 2, i));
  EXPECT_EQ(i, 12);
  EXPECT_FALSE(fixint("12\0" "34", 5, 1, 5, i));
}

TEST(FixedCol, BadColumnRanges) {
  std::int32_t i = 5;
  double a = 5.0;
  EXPECT_FALSE(fixint("123", 3, 0, 3, i));
  EXPECT_FALSE(fixint("123", 3, 3, 2, i));
  EXPECT_FALSE(fixreal("123", 3, 1, 200, 4, a));
  // Fields wider than 64 columns.
  EXPECT_FALSE(fixint("123", 3, 1, 65, i));
  EXPECT_FALSE(fixreal("123", 3, 1, 65, 4, a));
  EXPECT_EQ(i, 5);
  EXPECT_EQ(a, 5.0);
  ASSERT_TRUE(fixint("123", 3, 1, 64, i));
  EXPECT_EQ(i, 123);
}

}  // namespace
}  // namespace corvane
