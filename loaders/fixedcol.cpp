// The fixed-column field readers of the UNIFAC-family parameter lines: integer and real
// fields by their columns, the reals correctly rounded.
#include "fixedcol.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace corvane {

namespace {

constexpr int maxfield = 64;  // widest field the readers take

// Copies the non-blank characters of columns col1..col2 into buf; returns their number,
// or -1 when the columns are no valid range of a field.
int squeeze(const char* line, int len, int col1, int col2, char (&buf)[maxfield]) {
  if (col1 < 1 || col2 < col1 || col2 - col1 + 1 > maxfield) return -1;
  int n = 0;
  for (int c = col1; c <= col2 && c <= len; ++c) {
    if (line[c - 1] != ' ') buf[n++] = line[c - 1];
  }
  return n;
}

bool isdig(char c) { return c >= '0' && c <= '9'; }

constexpr int maxexact = 15;  // integers of up to 15 digits are exact doubles (< 2^53)
constexpr int maxpow = 22;    // 10^22 is the last exact power of ten
constexpr double pow10[maxpow + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

bool fixint(const char* line, int len, int col1, int col2, std::int32_t& v) {
  char buf[maxfield];
  const int n = squeeze(line, len, col1, col2, buf);
  if (n < 0) return false;
  if (n == 0) {
    v = 0;
    return true;
  }
  int p = 0;
  const bool neg = buf[0] == '-';
  if (buf[0] == '+' || buf[0] == '-') ++p;
  if (p == n) return false;
  std::int64_t a = 0;
  for (; p < n; ++p) {
    if (!isdig(buf[p])) return false;
    a = a * 10 + (buf[p] - '0');
    if (a > std::int64_t{INT32_MAX} + 1) return false;
  }
  if (neg) a = -a;
  if (a > INT32_MAX) return false;
  v = static_cast<std::int32_t>(a);
  return true;
}

bool fixreal(const char* line, int len, int col1, int col2, int d, double& v) {
  if (col1 < 1 || col2 < col1 || col2 - col1 + 1 > maxfield) return false;
  const char* p = line + (col1 - 1);
  const char* const end = line + (col2 < len ? col2 : len);
  while (p < end && *p == ' ') ++p;
  if (p >= end) {
    v = 0.0;
    return true;
  }
  const bool neg = *p == '-';
  if (*p == '+' || *p == '-') ++p;

  // Mantissa: its digits, without the point and the blanks, as text and, while they fit,
  // as an integer; frac counts those after the point.
  char num[maxfield + 16];
  int nd = 0;
  std::uint64_t dig = 0;
  int frac = 0;
  bool point = false;
  for (; p < end; ++p) {
    const unsigned u = static_cast<unsigned char>(*p) - unsigned{'0'};
    if (u <= 9) {
      num[nd++] = *p;
      if (nd <= maxexact) dig = dig * 10 + u;
      frac += point;
    } else if (*p == '.' && !point) {
      point = true;
    } else if (*p != ' ') {
      break;
    }
  }
  if (nd == 0) return false;
  if (!point) frac = d;

  // Exponent, clamped far beyond the range of a double so that it cannot overflow.
  std::int64_t e = 0;
  if (p < end) {
    if (*p == 'E' || *p == 'e' || *p == 'D' || *p == 'd') {
      ++p;
      while (p < end && *p == ' ') ++p;
    } else if (*p != '+' && *p != '-') {
      return false;
    }
    bool eneg = false;
    if (p < end && (*p == '+' || *p == '-')) eneg = *p++ == '-';
    int ne = 0;
    for (; p < end; ++p) {
      if (*p == ' ') continue;
      if (!isdig(*p)) return false;
      if (e < 100000) e = e * 10 + (*p - '0');
      ++ne;
    }
    if (ne == 0) return false;
    if (eneg) e = -e;
  }
  e -= frac;

  // The value is digits x 10^e. When both factors are exact doubles (an integer of at
  // most 15 digits, and a power of ten up to 10^22), one multiplication or division
  // rounds the exact result once, to the nearest double. Every other case is converted
  // from its decimal text.
  double a = 0.0;
  if (nd <= maxexact && e >= -maxpow && e <= maxpow) {
    const double x = static_cast<double>(dig);
    a = e < 0 ? x / pow10[-e] : x * pow10[e];
  } else {
    int m = nd;
    num[m++] = 'e';
    const auto r = std::to_chars(num + m, num + sizeof num, e);
    m = static_cast<int>(r.ptr - num);
    const auto cv = std::from_chars(num, num + m, a);
    if (cv.ec == std::errc::result_out_of_range) {
      a = e > 0 ? HUGE_VAL : 0.0;
    } else if (cv.ec != std::errc() || cv.ptr != num + m) {
      return false;
    }
  }
  v = neg ? -a : a;
  return true;
}

}  // namespace corvane
