// Runs the Windows host's table of calls through the native shared library, checks each
// result on its own and writes the results for the hosts to compare the DLLs with:
//   refcases RESULTS-FILE
#include <cstdio>

#include "corvane.h"
#include "dllcases.h"

using namespace corvane::dllcases;

using vlefn = decltype(&vle2wiltF);

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: refcases RESULTS-FILE\n");
    return 2;
  }
  const vlefn fns[nfn] = {vle2wiltF, vle2wiltmF, vle2wilyF, vle2wilymF};
  static outcome out[ncases];
  tally t;
  for (int i = 0; i < ncases; ++i) {
    const callcase& c = cases[i];
    const vlefn f = fns[c.fn];
    out[i] = runcase([f](const argset& a) { return call13(f, a); }, c);
    checkalone(t, c, out[i]);
    std::printf("%-24s %-11s %.17g\n", c.id, fnname[c.fn], out[i].r);
  }
  check(t, writeresults(argv[1], out), "cannot write %s", argv[1]);
  closing(t);
  return t.fail == 0 ? 0 : 1;
}
