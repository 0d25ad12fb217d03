// Fuzz target: the values of the free-format number readers ffint and ffreal.
//
// Byte 0 chooses the reader (bit 0 set: ffint), the separator between values (bits 1-2:
// a blank, a comma, a line end, or blank comma CR LF tab) and whether every second value
// is written between apostrophes (bit 3). The rest is split at LF into pieces; a piece
// that the reader takes as one whole value (not empty, no blank, tab, comma or slash,
// not beginning with a mark, not ending with CR) goes into the file, the others are
// left out. The file is read in one read by fftext and by the number reader side by
// side: fftext must give every piece back as it was written, and the number reader
// - accepts a value only when the grammar check below passes, giving exactly what
//   strtod (strtoll) gives for the piece rewritten in C form;
// - refuses every piece with a byte outside the grammar, and every quoted piece;
// - accepts every unquoted piece of the grammar of at most toklen bytes (for ffint,
//   also within the range of int32).
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzzio.h"
#include "textread.h"

using namespace corvane;

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }
bool sign(char c) { return c == '+' || c == '-'; }

// Integer: an optional sign, then digits.
bool intform(const std::string& s) {
  std::size_t i = sign(s[0]) ? 1 : 0;
  if (i == s.size()) return false;
  for (; i < s.size(); ++i) {
    if (!digit(s[i])) return false;
  }
  return true;
}

// Real: an optional sign, digits with at most one point among or around them (at least
// one digit), then optionally an exponent: E, e, D or d, an optional sign and digits, or
// a sign and digits alone. c receives the C form: the exponent behind an 'e'.
bool realform(const std::string& s, std::string& c) {
  std::size_t i = 0;
  c.clear();
  if (sign(s[i])) c += s[i++];
  int digits = 0;
  bool point = false;
  for (; i < s.size() && (digit(s[i]) || (s[i] == '.' && !point)); ++i) {
    if (s[i] == '.') {
      point = true;
    } else {
      ++digits;
    }
    c += s[i];
  }
  if (digits == 0) return false;
  if (i == s.size()) return true;
  const char e = s[i];
  if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
    ++i;
  } else if (!sign(e)) {
    return false;
  }
  c += 'e';
  if (i < s.size() && sign(s[i])) c += s[i++];
  int edigits = 0;
  for (; i < s.size() && digit(s[i]); ++i, ++edigits) c += s[i];
  return edigits > 0 && i == s.size();
}

// A piece that an unquoted read takes whole, as one value.
bool onevalue(const std::string& p) {
  if (p.empty() || p[0] == '\'' || p[0] == '"' || p.back() == '\r') return false;
  for (char c : p) {
    if (c == ' ' || c == '\t' || c == ',' || c == '/') return false;
  }
  return true;
}

void fail(const char* what, const std::string& piece) {
  std::fprintf(stderr, "%s: \"", what);
  for (unsigned char c : piece) {
    if (c >= 32 && c < 127) {
      std::fputc(c, stderr);
    } else {
      std::fprintf(stderr, "\\x%02x", c);
    }
  }
  std::fprintf(stderr, "\"\n");
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool ints = (data[0] & 1) != 0;
  const char* seps[] = {" ", ",", "\n", " ,\r\n\t"};
  const std::string sep = seps[data[0] >> 1 & 3];
  const bool quote = (data[0] & 8) != 0;

  std::vector<std::string> pieces;
  std::vector<bool> quoted;
  std::string file;
  const char* text = reinterpret_cast<const char*>(data + 1);
  const std::size_t n = size - 1;
  for (std::size_t start = 0; start <= n;) {
    std::size_t end = start;
    while (end < n && text[end] != '\n') ++end;
    const std::string p(text + start, end - start);
    start = end + 1;
    if (!onevalue(p)) continue;
    const bool q = quote && pieces.size() % 2 == 1 && p.find('\'') == std::string::npos;
    if (!pieces.empty()) file += sep;
    file += q ? "'" + p + "'" : p;
    pieces.push_back(p);
    quoted.push_back(q);
  }
  file += "\n";

  std::FILE* f1 = fuzzing::memfile(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
  std::FILE* f2 = fuzzing::memfile(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
  FUZZ_CHECK(f1 != nullptr && f2 != nullptr);
  textfile tt, tn;
  opentext(tt, f1, "text");
  opentext(tn, f2, "number");
  static char buf[16384];
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const std::string& p = pieces[k];
    std::int32_t len = -1;
    const rdstat st = fftext(tt, buf, sizeof buf, len);
    if (st != rdok || std::string(buf, static_cast<std::size_t>(len)) != p) {
      fail("fftext does not give the piece back", p);
    }
    std::string c;
    const bool form = ints ? intform(p) : realform(p, c);
    bool accepted;
    if (ints) {
      std::int32_t v = 0;
      accepted = ffint(tn, v) == rdok;
      errno = 0;
      const long long w = form ? std::strtoll(p.c_str(), nullptr, 10) : 0;
      const bool fits = form && errno == 0 && w >= INT32_MIN && w <= INT32_MAX;
      if (accepted && (!form || quoted[k] || !fits)) fail("ffint accepts", p);
      if (accepted && v != w) fail("ffint gives another value for", p);
      if (!accepted && fits && !quoted[k] && p.size() <= toklen) fail("ffint refuses", p);
    } else {
      double v = 0.0;
      accepted = ffreal(tn, v) == rdok;
      if (accepted && (!form || quoted[k])) fail("ffreal accepts", p);
      if (accepted) {
        const double w = std::strtod(c.c_str(), nullptr);
        if (std::memcmp(&v, &w, sizeof v) != 0) fail("ffreal gives another value for", p);
      }
      if (!accepted && form && !quoted[k] && p.size() <= toklen) fail("ffreal refuses", p);
    }
  }
  // Both reads end together, at the end of the file.
  std::int32_t len = 0;
  FUZZ_CHECK(fftext(tt, buf, sizeof buf, len) == rdeof);
  std::int32_t iv = 0;
  double rv = 0.0;
  FUZZ_CHECK((ints ? ffint(tn, iv) : ffreal(tn, rv)) == rdeof);
  std::fclose(f1);
  std::fclose(f2);
  return 0;
}
