// Fuzz target: the fixed-column field readers and the interaction and subgroup line
// parsers of the UNIFAC-family parameter files. The first two bytes choose a column
// range (start 1..40, width 1..48) and the implied decimals (0..5); the rest is split into lines at LF, and every line is
// read as a field, as an interaction line of both layouts and as a subgroup line.
// A real field that reads is checked against the C library's conversion of the same
// number written out in its standard form.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fixedcol.h"
#include "fuzzio.h"
#include "unifpar.h"

using namespace corvane;

namespace {

munifpartab mt;
unifpartab ut;

// The field of columns c1..c2 in the form strtod reads: blanks removed, the point
// written where the field implies it (d digits from the right when it writes none), and
// the exponent, if any, behind an E.
void standard(const char* line, int len, int c1, int c2, int d, char (&out)[200]) {
  char f[80];
  int n = 0;
  for (int c = c1; c <= c2 && c <= len; ++c) {
    if (line[c - 1] != ' ') f[n++] = line[c - 1];
  }
  int p = 0, o = 0;
  if (n == 0) f[n++] = '0';  // a blank field reads 0
  if (f[p] == '+' || f[p] == '-') out[o++] = f[p++];
  char dig[80];
  int nd = 0, point = -1;
  for (; p < n && ((f[p] >= '0' && f[p] <= '9') || (f[p] == '.' && point < 0)); ++p) {
    if (f[p] == '.') {
      point = nd;
    } else {
      dig[nd++] = f[p];
    }
  }
  if (point < 0) point = nd - d;
  if (point <= 0) {
    out[o++] = '0';
    out[o++] = '.';
    for (int k = point; k < 0; ++k) out[o++] = '0';
    for (int k = 0; k < nd; ++k) out[o++] = dig[k];
  } else {
    for (int k = 0; k < nd || k < point; ++k) {
      if (k == point) out[o++] = '.';
      out[o++] = k < nd ? dig[k] : '0';
    }
  }
  if (p < n) {
    out[o++] = 'E';
    if (f[p] == 'E' || f[p] == 'e' || f[p] == 'D' || f[p] == 'd') ++p;
    for (; p < n; ++p) out[o++] = f[p];
  }
  out[o] = 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  initpar(mt);
  initpar(ut);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int c1 = 1 + data[0] % 40;
  const int c2 = c1 + data[1] % 48;  // at most 48 columns
  const int d = data[1] / 48;        // 0..5
  const char* text = reinterpret_cast<const char*>(data + 2);
  const std::size_t n = size - 2;
  std::size_t start = 0;
  while (start <= n) {
    std::size_t end = start;
    while (end < n && text[end] != '\n') ++end;
    const char* line = text + start;
    const int len = static_cast<int>(end - start);

    std::int32_t iv = 0;
    (void)fixint(line, len, c1, c2, iv);
    double v = 0.0;
    if (fixreal(line, len, c1, c2, d, v)) {
      char s[200];
      standard(line, len, c1, c2, d, s);
      const double w = std::strtod(s, nullptr);
      if (std::memcmp(&v, &w, sizeof v) != 0) {
        std::fprintf(stderr, "d=%d read %.17g, strtod(\"%s\") = %.17g\n", d, v, s, w);
        std::abort();
      }
    }
    (void)interline(line, len, mt);
    (void)interline(line, len, ut);
    (void)subline(line, len, ut.rsub, ut.qsub);
    start = end + 1;
  }
  return 0;
}
