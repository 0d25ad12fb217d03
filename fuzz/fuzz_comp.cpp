// Component records: readcomp's record loop on either record kind, then the group list
// and the re-indexed counts, with the invariants they promise.
#include <cstring>

#include "fuzzio.h"
#include "stage.h"
#include "view.h"

using namespace corvane;

// Input: byte 0 chooses the kind (bit 7) and nc (0..10); then two bytes per record
// number (little-endian, signed); the rest is the component file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool unif = (data[0] & 0x80) != 0;
  const std::int32_t nc = (data[0] & 0x7f) % (maxcomp + 1);
  std::size_t pos = 1;
  std::int32_t ids[maxcomp] = {};
  for (int i = 0; i < nc; ++i) {
    if (pos + 2 > size) return 0;
    ids[i] = static_cast<std::int16_t>(data[pos] | data[pos + 1] << 8);
    pos += 2;
  }
  static loaderstate st;
  std::memset(&st, 0, sizeof st);
  static double fhsize[maxgrp], nu[maxgrp * maxcomp];
  for (double& v : fhsize) v = -1.5;
  for (double& v : nu) v = -1.5;

  std::FILE* f = fuzzing::memfile(data + pos, size - pos);
  FUZZ_CHECK(f != nullptr);
  std::int32_t ierr = -1;
  if (unif) {
    readunifrecs(f, "c.nam", st, nc, ids, nu, ierr);
  } else {
    readasogrecs(f, "c.nam", st, nc, ids, fhsize, nu, ierr);
  }
  std::fclose(f);
  FUZZ_CHECK(ierr == 0 || ierr == 1);
  for (int a = maxcomp; a < maxgrp; ++a) FUZZ_CHECK(fhsize[a] == -1.5);
  if (ierr != 0) return 0;

  // Every used slot passed its range test.
  auto key = mat<nslot>(st.slotkey);
  for (int i = 1; i <= nc; ++i) {
    for (int k = 1; k <= nslot; ++k) {
      FUZZ_CHECK(key(k, i) >= 0 && key(k, i) <= (unif ? maxsub : nasoggrp));
    }
  }
  std::int32_t ng = -3;
  mkgrplist(st, nc, ng, ierr);
  FUZZ_CHECK(ierr == 0 || ierr == 1);
  if (ierr != 0) {
    FUZZ_CHECK(ng == -3);
    return 0;
  }
  FUZZ_CHECK(ng >= 0 && ng <= maxgrp && ng <= nslot * nc);
  auto g = vec(st.grplist);
  for (int j = 2; j <= ng; ++j) FUZZ_CHECK(g(j - 1) < g(j));
  for (int j = 1; j <= ng; ++j) FUZZ_CHECK(g(j) > 0);
  for (int j = ng + 1; j <= nslot * nc; ++j) FUZZ_CHECK(g(j) == 0 && st.mainlist[j - 1] == 0);
  reindexnu(st, nc, ng, nu);
  auto c = mat<maxgrp>(nu);
  const int top = ng > nslot ? ng : nslot;
  for (int i = 1; i <= maxcomp; ++i) {
    for (int j = top + 1; j <= maxgrp; ++j) FUZZ_CHECK(c(j, i) == -1.5);
  }
  for (int i = nc + 1; i <= maxcomp; ++i) {
    for (int j = 1; j <= maxgrp; ++j) FUZZ_CHECK(c(j, i) == -1.5);
  }
  return 0;
}
