// prm.aso: the walk over its 43 blocks for a group list, with the rows and columns it
// may write.
#include <cstring>

#include "asogpar.h"
#include "fuzzio.h"
#include "view.h"

using namespace corvane;

// Input: bytes 0-5 are a bit set of the groups 1..43 of the list (at most maxgrp are
// taken, in ascending order); the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  static loaderstate st;
  std::memset(&st, 0, sizeof st);
  std::int32_t ng = 0;
  for (int g = 1; g <= nasoggrp && ng < maxgrp; ++g) {
    if (data[(g - 1) / 8] >> ((g - 1) % 8) & 1) st.grplist[ng++] = g;
  }
  static double am[maxgrp * maxgrp], an[maxgrp * maxgrp];
  for (double& v : am) v = -2.5;
  for (double& v : an) v = -2.5;

  std::FILE* f = fuzzing::memfile(data + 6, size - 6);
  FUZZ_CHECK(f != nullptr);
  textfile t;
  opentext(t, f, "prm.aso");
  std::int32_t ierr = -1;
  readprmblocks(t, st, ng, am, an, ierr);
  std::fclose(f);
  FUZZ_CHECK(ierr == 0 || ierr == 1);
  auto m = mat<maxgrp>(am);
  auto n = mat<maxgrp>(an);
  for (int l = 1; l <= maxgrp; ++l) {
    for (int j = 1; j <= maxgrp; ++j) {
      if (j > ng || l > ng) FUZZ_CHECK(m(j, l) == -2.5 && n(j, l) == -2.5);
    }
  }
  return 0;
}
