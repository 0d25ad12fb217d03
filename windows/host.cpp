// A Windows host of Corvane64.dll or Corvane32.dll. It loads the DLL as any program
// would, finds the four functions by name, by decorated name (32-bit) and by ordinal,
// calls them through pointers of the declared convention and runs the table of calls,
// checking each result on its own, against the native library's results and against
// the other DLL's:
//   corvanehost DLL [-out FILE] [-native FILE] [-peer FILE]
// The 32-bit host also calls every case through an assembly caller that checks the
// stdcall contract: 52 bytes removed by the callee, the callee-saved registers, the
// control words and a double left as the one value on the x87 stack, with the stack at
// each of the four alignments a 4-byte-aligned host may have.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "corvane.h"
#include "dllcases.h"

using namespace corvane::dllcases;

namespace {

// A pointer to one of the four, in their declared convention (stdcall on 32-bit).
using vlefn = decltype(&vle2wiltF);

#if defined(__x86_64__)
constexpr int bits = 64;
constexpr int nord = 4;  // ordinals of the DLL
#else
constexpr int bits = 32;
constexpr int nord = 8;
#endif

vlefn tofn(FARPROC p) {
  vlefn f;
  static_assert(sizeof f == sizeof p, "function pointers of one size");
  std::memcpy(&f, &p, sizeof f);
  return f;
}

// The ordinal of function k under its plain name, and under its decorated name.
int ordinal(int k) { return bits == 64 ? k + 1 : 2 * k + 1; }
int decoratedordinal(int k) { return 2 * k + 2; }

}  // namespace

#if defined(__i386__)
// State around one call made by corvane_stdcall13: what the registers held just before
// the arguments were pushed and just after the call returned.
extern "C" {
struct regsrec {
  std::uint32_t espin, espout, ebxin, ebxout, esiin, esiout, ediin, ediout, ebpin, ebpout;
  std::uint16_t fswin, fswout, fcwin, fcwout;
  std::uint32_t mxcsrin, mxcsrout;
  std::uint32_t saved;  // the caller's esp, to come back to whatever the callee did
};
regsrec corvane_regs;
// Calls fn(args[0], ..., args[12]) as stdcall, with esp at the call instruction 16-byte
// aligned less skew bytes. Returns the callee's x87 result as its own.
double corvane_stdcall13(const void* fn, const void* const* args, int skew);
}
static_assert(offsetof(regsrec, fswin) == 40 && offsetof(regsrec, mxcsrin) == 48 &&
                  offsetof(regsrec, saved) == 56,
              "offsets used by the assembly below");

asm(R"(
        .text
        .globl  _corvane_stdcall13
_corvane_stdcall13:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %ebx
        pushl   %esi
        pushl   %edi
        movl    %esp, _corvane_regs+56
        movl    8(%ebp), %eax
        movl    12(%ebp), %esi
        movl    16(%ebp), %ecx
        andl    $-16, %esp
        subl    $12, %esp
        subl    %ecx, %esp
        movl    $0x5a5a5a5a, %ebx
        movl    $0x3c3c3c3c, %edi
        movl    %esp, _corvane_regs+0
        movl    %ebx, _corvane_regs+8
        movl    %esi, _corvane_regs+16
        movl    %edi, _corvane_regs+24
        movl    %ebp, _corvane_regs+32
        fnstsw  _corvane_regs+40
        fnstcw  _corvane_regs+44
        stmxcsr _corvane_regs+48
        movl    $12, %edx
1:
        pushl   (%esi,%edx,4)
        decl    %edx
        jns     1b
        call    *%eax
        movl    %esp, _corvane_regs+4
        movl    %ebx, _corvane_regs+12
        movl    %esi, _corvane_regs+20
        movl    %edi, _corvane_regs+28
        movl    %ebp, _corvane_regs+36
        fnstsw  _corvane_regs+42
        fnstcw  _corvane_regs+46
        stmxcsr _corvane_regs+52
        movl    _corvane_regs+56, %esp
        popl    %edi
        popl    %esi
        popl    %ebx
        popl    %ebp
        ret
)");

namespace {

// The x87 stack's top-of-stack index from a status word.
int x87top(std::uint16_t fsw) { return (fsw >> 11) & 7; }

// Runs case c through the assembly caller at each alignment and checks the contract
// and that every call gives the outcome of the ordinary call.
void checkstdcall(tally& t, vlefn f, const callcase& c, const outcome& plain) {
  const void* fp;
  std::memcpy(&fp, &f, sizeof fp);
  for (int skew = 0; skew < 16; skew += 4) {
    const outcome o = runcase(
        [fp, skew](const argset& a) { return corvane_stdcall13(fp, a.p, skew); }, c);
    const regsrec& r = corvane_regs;
    check(t, r.espout == r.espin, "%s, stack %d bytes off: esp moved by %d bytes", c.id,
          skew, static_cast<int>(r.espout - r.espin));
    check(t, r.ebxout == r.ebxin && r.esiout == r.esiin && r.ediout == r.ediin &&
                 r.ebpout == r.ebpin,
          "%s, stack %d bytes off: a callee-saved register changed", c.id, skew);
    check(t, x87top(r.fswout) == ((x87top(r.fswin) + 7) & 7),
          "%s, stack %d bytes off: x87 top %d before the call, %d after", c.id, skew,
          x87top(r.fswin), x87top(r.fswout));
    check(t, r.fcwout == r.fcwin && (r.mxcsrout & ~0x3Fu) == (r.mxcsrin & ~0x3Fu),
          "%s, stack %d bytes off: control words %04x %08x became %04x %08x", c.id, skew,
          r.fcwin, static_cast<unsigned>(r.mxcsrin), r.fcwout, static_cast<unsigned>(r.mxcsrout));
    check(t, sameoutcome(o, plain),
          "%s, stack %d bytes off: %.17g \"%s\", the ordinary call %.17g \"%s\"", c.id, skew,
          o.r, o.msg, plain.r, plain.msg);
  }
}

}  // namespace
#endif

int main(int argc, char** argv) {
  const char *dllname = nullptr, *outpath = nullptr, *nativepath = nullptr,
             *peerpath = nullptr;
  bool usage = false;
  for (int i = 1; i < argc; ++i) {
    if (i + 1 < argc && std::strcmp(argv[i], "-out") == 0)
      outpath = argv[++i];
    else if (i + 1 < argc && std::strcmp(argv[i], "-native") == 0)
      nativepath = argv[++i];
    else if (i + 1 < argc && std::strcmp(argv[i], "-peer") == 0)
      peerpath = argv[++i];
    else if (!dllname && argv[i][0] != '-')
      dllname = argv[i];
    else
      usage = true;
  }
  if (usage || !dllname) {
    std::fprintf(stderr, "usage: corvanehost DLL [-out FILE] [-native FILE] [-peer FILE]\n");
    return 2;
  }
  tally t;

  const HMODULE h = LoadLibraryA(dllname);
  if (!check(t, h != nullptr, "LoadLibraryA(\"%s\"): error %lu", dllname, GetLastError())) {
    closing(t);
    return 1;
  }

  // Names and ordinals: each function is found under all of them, at one address.
  vlefn fns[nfn];
  for (int k = 0; k < nfn; ++k) {
    const FARPROC byname = GetProcAddress(h, fnname[k]);
    const FARPROC byord = GetProcAddress(h, MAKEINTRESOURCEA(ordinal(k)));
    check(t, byname != nullptr, "%s not exported by name", fnname[k]);
    check(t, byname == byord, "%s and ordinal %d are different entries", fnname[k], ordinal(k));
    if (bits == 32) {
      char decorated[32];
      std::snprintf(decorated, sizeof decorated, "_%s@52", fnname[k]);
      const FARPROC bydec = GetProcAddress(h, decorated);
      const FARPROC byord2 = GetProcAddress(h, MAKEINTRESOURCEA(decoratedordinal(k)));
      check(t, bydec != nullptr && bydec == byname, "%s not exported as the entry of %s",
            decorated, fnname[k]);
      check(t, byord2 == byname, "ordinal %d is not the entry of %s", decoratedordinal(k),
            fnname[k]);
    }
    fns[k] = tofn(byname);
  }
  // ... and nothing else.
  const char* internal[] = {"bubpt", "actcoef", "moltomass", "masstomol", "mixstate",
                            "vle2wiltF@52", "DllMain"};
  for (const char* name : internal)
    check(t, GetProcAddress(h, name) == nullptr, "%s is exported", name);
  check(t, GetProcAddress(h, MAKEINTRESOURCEA(nord + 1)) == nullptr, "ordinal %d is exported",
        nord + 1);
  for (int k = 0; k < nfn; ++k)
    if (!fns[k]) {
      closing(t);
      return 1;
    }

  // The table, through the pointers of the declared convention.
  static outcome out[ncases];
  for (int i = 0; i < ncases; ++i) {
    const callcase& c = cases[i];
    const vlefn f = fns[c.fn];
    out[i] = runcase([f](const argset& a) { return call13(f, a); }, c);
    std::printf("%-24s %-11s %.17g\n", c.id, fnname[c.fn], out[i].r);
    checkalone(t, c, out[i]);
#if defined(__i386__)
    checkstdcall(t, f, c, out[i]);
#endif
  }

  // Every result depends on its call alone: the table backwards gives the same.
  for (int i = ncases - 1; i >= 0; --i) {
    const callcase& c = cases[i];
    const vlefn f = fns[c.fn];
    const outcome o = runcase([f](const argset& a) { return call13(f, a); }, c);
    check(t, sameoutcome(o, out[i]),
          "%s: %.17g \"%s\" when run after the others, %.17g \"%s\" before", c.id, o.r,
          o.msg, out[i].r, out[i].msg);
  }

  // The same table through the native library and through the other DLL.
  static outcome other[ncases];
  if (nativepath) {
    if (check(t, readresults(nativepath, other), "no native results"))
      compare(t, "native", out, other);
  }
  if (peerpath) {
    if (check(t, readresults(peerpath, other), "no results of the other DLL"))
      compare(t, "other DLL", out, other);
  }
  if (outpath) check(t, writeresults(outpath, out), "cannot write %s", outpath);

  FreeLibrary(h);
  closing(t);
  return t.fail == 0 ? 0 : 1;
}
