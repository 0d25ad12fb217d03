// "modunifac.par" and "unifac.par": the count lines, interaction lines and subgroup
// lines read into a loader's working tables. Input: byte 0 chooses the layout (bit 0
// set: modified UNIFAC); the rest is the file. The tables have no room outside the
// main groups 1..200 and subgroups 1..400, so the sanitizers see any stray write.
#include "fuzzio.h"
#include "unifpar.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool modified = (data[0] & 1) != 0;
  std::FILE* f = fuzzing::memfile(data + 1, size - 1);
  FUZZ_CHECK(f != nullptr);
  textfile t;
  opentext(t, f, modified ? "modunifac.par" : "unifac.par");
  std::int32_t ierr = -1;
  if (modified) {
    readparlines(t, munifpar, ierr);
  } else {
    readparlines(t, unifpar, ierr);
  }
  std::fclose(f);
  FUZZ_CHECK(ierr == 0 || ierr == 1);
  return 0;
}
