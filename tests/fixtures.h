// Fixture files for the loader tests and the fuzzing seeds: component records built
// byte by byte, and "prm.aso" files of known values.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "stage.h"

namespace corvane::testing {

// Little-endian bytes of a 32-bit integer and of a double.
inline std::string le32(std::int32_t v) {
  std::uint32_t u;
  std::memcpy(&u, &v, 4);
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(u >> (8 * i) & 0xff);
  return s;
}

inline std::string le64(double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, 8);
  std::string s(8, '\0');
  for (int i = 0; i < 8; ++i) s[i] = static_cast<char>(u >> (8 * i) & 0xff);
  return s;
}

struct aslot {
  std::int32_t key;
  double nu;
};

struct uslot {
  std::int32_t main;
  std::int32_t sub;
  double nu;
};

// One asogrec of 544 bytes: size fh and the seven slots; the unused fields and the rest
// of the record hold other bytes, since the reader must not look at them.
inline std::string asogrec(double fh, const aslot (&s)[nslot]) {
  std::string r = le32(12345) + std::string(40, 'n') + le64(fh);
  for (const aslot& x : s) r += le32(x.key) + le64(x.nu);
  r += std::string(asoglen - asogdata, '\xa5');
  return r;
}

// One unifrec of 624 bytes.
inline std::string unifrec(const uslot (&s)[nslot]) {
  std::string r = le32(-7) + std::string(40, 'n');
  for (const uslot& x : s) r += le32(x.main) + le32(x.sub) + le64(x.nu);
  r += std::string(uniflen - unifdata, '\x5a');
  return r;
}

// The values of the generated prm.aso: m(g,l) and n(g,l), exact in binary and short in
// decimal, and different for every ordered pair.
inline double mval(int g, int l) { return g + l / 64.0; }
inline double nval(int g, int l) { return 0.25 - (100.0 * g + l); }

inline std::string num(double v) {
  char b[40];
  std::snprintf(b, sizeof b, "%.17g", v);
  return b;
}

// Lines 3 to 11 of block g: ten numbers on each of lines 3 to 10, six on line 11.
inline std::string prmnumbers(int g) {
  std::string s;
  for (int v = 0; v < 2 * nasoggrp; ++v) {
    int l = v / 2 + 1;
    s += num(v % 2 == 0 ? mval(g, l) : nval(g, l));
    s += (v % 10 == 9 || v == 2 * nasoggrp - 1) ? "\n" : " ";
  }
  return s;
}

// Block g: a comment line, the number and a quoted name, the numbers.
inline std::string prmblock(int g) {
  return "group " + std::to_string(g) + " of the test file\n" + std::to_string(g) +
         " 'G" + std::to_string(g) + "'\n" + prmnumbers(g);
}

inline std::string prmaso() {
  std::string s;
  for (int g = 1; g <= nasoggrp; ++g) s += prmblock(g);
  return s;
}

}  // namespace corvane::testing
