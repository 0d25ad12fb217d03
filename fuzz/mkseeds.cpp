// Writes the fuzz targets' seed inputs, built from the test fixtures, into the
// directories <out>/place, <out>/comp, <out>/prmaso, <out>/unifpar, <out>/fixedcol and
// <out>/ffvalue.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "fixtures.h"
#include "uniffix.h"

using namespace corvane;
using namespace corvane::testing;

namespace {

std::string outdir;

void seed(const std::string& target, const std::string& name, const std::string& bytes) {
  std::string d = outdir + "/" + target;
  mkdir(d.c_str(), 0755);
  std::FILE* f = std::fopen((d + "/" + name).c_str(), "wb");
  if (f == nullptr) {
    std::perror(d.c_str());
    std::exit(1);
  }
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::string ids(int kind, std::initializer_list<int> rec) {
  std::string s(1, static_cast<char>(kind | static_cast<int>(rec.size())));
  for (int r : rec) s += std::string{static_cast<char>(r & 0xff), static_cast<char>(r >> 8 & 0xff)};
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  outdir = argv[1];
  mkdir(outdir.c_str(), 0755);

  const char* places[] = {"'/a b/c' rest\n", "\"say \"\"hi\"\"\"\n", "'ab\r\ncd'\n",
                          "data,rest\n",     "\n\n \t\n  C:\\data\\ x\n", ", x\n",
                          "/x\n",            "'unclosed\n",          ""};
  int n = 0;
  for (const char* p : places) seed("place", "p" + std::to_string(n++), p);

  const aslot e{0, 0.0};
  const uslot u{0, 0, 0.0};
  std::string asog = asogrec(3.0, {{3, 2.0}, {1, 1.0}, e, e, e, e, e}) +
                     asogrec(2.0, {{1, 1.0}, e, e, {5, 3.0}, e, e, e}) +
                     asogrec(0.5, {{43, 1.0}, e, e, e, e, e, e});
  std::string unif = unifrec({{1, 1, 1.0}, {1, 2, 1.0}, u, u, u, u, u}) +
                     unifrec({{5, 14, 2.0}, {6, 2, 1.0}, u, u, u, u, u});
  seed("comp", "asog2", ids(0, {1, 2}) + asog);
  seed("comp", "asog3", ids(0, {2, 1, 3}) + asog);
  seed("comp", "asogsame", ids(0, {1, 1}) + asog);
  seed("comp", "unif2", ids(0x80, {1, 2}) + unif);
  seed("comp", "unifpast", ids(0x80, {1, 3}) + unif);

  std::string all = prmaso();
  seed("prmaso", "g135", std::string("\x15\0\0\0\0\0", 6) + all);
  seed("prmaso", "g43", std::string("\0\0\0\0\0\x04", 6) + all);
  seed("prmaso", "none", std::string(6, '\0') + all);
  std::string mixed = std::string("\x02\0\0\0\0\0", 6);
  for (int g = 1; g <= nasoggrp; ++g) {
    mixed += g == 2 ? "x\n2, 'a, b / c'\n" + prmnumbers(g) : "1\n'\n\"\n,,\n/\n4*5\n\n\n\n\n\n";
  }
  seed("prmaso", "mixed", mixed);

  // UNIFAC-family parameter files: byte 0 bit 0 set for the modified layout.
  const std::string pars[] = {
      unifacpar(), dortmundpar(),
      "\n\n 2 lines, /\r\n" + uline("1", "5", "1 5", "-2.5D+1") + "\r\n" + uline("", "201", "", "") +
          "\n0,\n",
      "1\n" + mline("3", "3", "1.5+02", ".5", "5.", "-15", "", "1E400").substr(0, 60) + "\n1\n" +
          sline("1 2", "x'\"/,", "15", "1.5e-2") + " rest\n",
      ",\n", "1\n  1  5     1.0.\n", "3\n" + uline("1", "2", "1", "2") + "\n"};
  n = 0;
  for (const std::string& p : pars) {
    seed("unifpar", "u" + std::to_string(n), std::string(1, '\0') + p);
    seed("unifpar", "m" + std::to_string(n), "\1" + p);
    // fixedcol: columns 7-18 with 5 decimals, 19-30 with 5, 15-24 with 4
    seed("fixedcol", "a" + std::to_string(n), std::string("\6\xfb") + p);
    seed("fixedcol", "b" + std::to_string(n), std::string("\x12\xfb") + p);
    seed("fixedcol", "r" + std::to_string(n), std::string("\x0e\xc9") + p);
    ++n;
  }

  // Free-format numbers: byte 0 chooses the reader, the separator and the quoting.
  const std::string reals =
      "1.5+02\n-3D-1\n12\n.5\n5.\n-0\n+7.25d+3\n1e400\n-1.0e-400\n4.9e-324\n"
      "0.000000000000000000000000000001e-300\n123456789012345678901234567890\n"
      "1.5-\n1.0.0\n4*5\n1e\n.\n-\n0x1p3\ninf\nnan\n1 .5\n1.5e+2x\n" +
      std::string("1.0\0" "023e2\n", 10);
  const std::string ints = "12\n-2147483648\n2147483647\n2147483648\n+0\n007\n1.0\n-\n+\n" +
                           std::string(40, '9') + "\n" + std::string("1\0" "24\n", 5);
  n = 0;
  for (int mode : {0, 2, 4, 6, 8}) {
    seed("ffvalue", "r" + std::to_string(n), std::string(1, static_cast<char>(mode)) + reals);
    seed("ffvalue", "i" + std::to_string(n), std::string(1, static_cast<char>(mode | 1)) + ints);
    ++n;
  }
  return 0;
}
