// place.dat: the free-format read of the data directory, then the data paths.
#include <cstring>

#include "fuzzio.h"
#include "stage.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static loaderstate st;
  std::memset(st.curdir, 'c', maxpath);
  std::memset(st.datadir, size % 2 == 0 ? '\0' : 'p', maxpath);
  std::memset(st.datapath, 'd', maxpath);
  char before[maxpath];
  std::memcpy(before, st.datadir, maxpath);

  std::FILE* f = fuzzing::memfile(data, size);
  FUZZ_CHECK(f != nullptr);
  textfile t;
  opentext(t, f, "place.dat");
  std::int32_t ierr = -1;
  readplace(t, st, ierr);
  std::fclose(f);

  FUZZ_CHECK(ierr == 0 || ierr == 1);
  for (char c : st.curdir) FUZZ_CHECK(c == 'c');
  for (char c : st.datapath) FUZZ_CHECK(c == 'd');
  if (ierr == 1) {
    FUZZ_CHECK(std::memcmp(st.datadir, before, maxpath) == 0);
    return 0;
  }
  // A stored value has no zero character; blanks follow it to the end.
  if (std::memcmp(st.datadir, before, maxpath) != 0) {
    FUZZ_CHECK(std::memchr(st.datadir, '\0', maxpath) == nullptr);
  }
  mkdatapath(st, "\\asog.nam", ierr);
  FUZZ_CHECK(ierr == 0 || ierr == 1);
  char path[maxpath + 1];
  pathtext(st, path);
  FUZZ_CHECK(std::strlen(path) <= static_cast<std::size_t>(maxpath));
  return 0;
}
