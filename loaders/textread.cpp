// Lines and free-format values of the loaders' text files.
#include "textread.h"

#include <charconv>
#include <cstring>
#include <limits>

#include "platform.h"

namespace corvane {

namespace {

constexpr int ch_none = -4;  // t.back holds no character

// Takes the next character from the file, counting lines. A file whose last line has
// no line end gives one ch_eol before ch_eof.
int fetch(textfile& t) {
  if (t.ended) return ch_eof;
  int c = readbyte(t.f);
  if (c == EOF) {
    if (std::ferror(t.f)) return ch_err;
    t.ended = true;
    if (!t.bol) {
      t.bol = true;
      return ch_eol;
    }
    return ch_eof;
  }
  if (t.bol) {
    if (t.lineno < INT32_MAX) ++t.lineno;
    t.bol = false;
  }
  if (c == '\n') {
    t.bol = true;
    return ch_eol;
  }
  if (c == '\r') {
    int d = readbyte(t.f);
    if (d == '\n') {
      t.bol = true;
      return ch_eol;
    }
    if (d == EOF) {
      if (std::ferror(t.f)) return ch_err;
    } else {
      std::ungetc(d, t.f);
    }
  }
  return c;
}

int peekch(textfile& t) {
  if (t.back == ch_none) t.back = fetch(t);
  return t.back;
}

bool isblk(int c) { return c == ' ' || c == '\t'; }

// Ends an unquoted value.
bool isend(int c) { return c < 0 || c == ' ' || c == '\t' || c == ',' || c == '/'; }

// Skips blanks, tabs and line ends; returns the character after them, not taken.
int skipspace(textfile& t) {
  int c = peekch(t);
  while (isblk(c) || c == ch_eol) {
    getch(t);
    c = peekch(t);
  }
  return c;
}

// Finds the start of the next value of the current read. rdok with c its first
// character (not taken), or rdnull, rdslash, rdeof, rderr.
rdstat valuestart(textfile& t, int& c) {
  if (t.slashed) return rdslash;
  c = skipspace(t);
  if (c == ',' && !t.sepdone) {
    getch(t);
    t.sepdone = true;
    c = skipspace(t);
  }
  if (c == ch_eof) return rdeof;
  if (c == ch_err) return rderr;
  if (c == ',') {
    getch(t);
    return rdnull;
  }
  if (c == '/') {
    getch(t);
    t.slashed = true;
    return rdslash;
  }
  t.sepdone = false;
  return rdok;
}

// Reads a text value that starts with the character c (not yet taken) into buf.
rdstat textvalue(textfile& t, int c, char* buf, std::int32_t cap, std::int32_t& len) {
  std::int32_t n = 0;
  auto put = [&](int ch) {
    if (n < cap) buf[n] = static_cast<char>(ch);
    if (n <= cap) ++n;  // cap + 1 stands for any longer value
  };
  if (c == '\'' || c == '"') {
    int mark = getch(t);
    for (;;) {
      int d = getch(t);
      if (d == ch_eof) return rdunclosed;
      if (d == ch_err) return rderr;
      if (d == ch_eol) continue;
      if (d == mark) {
        if (peekch(t) != mark) break;
        getch(t);
      }
      put(d);
    }
  } else {
    while (!isend(peekch(t))) put(getch(t));
    if (peekch(t) == ch_err) return rderr;
  }
  len = n;
  return n > cap ? rdlong : rdok;
}

// Reads the next value of the read into t.tok, for conversion to a number.
rdstat numvalue(textfile& t) {
  int c = 0;
  rdstat s = valuestart(t, c);
  if (s != rdok) return s;
  t.tokline = t.lineno;
  bool quoted = c == '\'' || c == '"';
  std::int32_t len = 0;
  s = textvalue(t, c, t.tok, toklen, len);
  t.ntok = len < toklen ? len : toklen;
  t.tok[t.ntok] = '\0';
  if (s == rdlong) return rdbad;
  if (s != rdok) return s;
  if (quoted) return rdbad;
  // The conversions read t.tok up to its zero terminator: a zero byte inside the value
  // would cut it short, so such a value is no number.
  if (std::memchr(t.tok, '\0', static_cast<std::size_t>(len)) != nullptr) return rdbad;
  if (std::memchr(t.tok, '*', static_cast<std::size_t>(len)) != nullptr) return rdrepeat;
  return rdok;
}

bool isdig(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void opentext(textfile& t, std::FILE* f, const char* name) {
  t.f = f;
  t.name = name;
  t.lineno = 0;
  t.back = ch_none;
  t.bol = true;
  t.ended = false;
  t.sepdone = true;
  t.slashed = false;
  t.tok[0] = '\0';
  t.ntok = 0;
  t.tokline = 0;
}

tokshown shown(const textfile& t) {
  tokshown r;
  int n = 0;
  for (int i = 0; i < t.ntok; ++i) {
    if (t.tok[i] == '\0') {
      r.s[n++] = '\\';
      r.s[n++] = '0';
    } else {
      r.s[n++] = t.tok[i];
    }
  }
  r.s[n] = '\0';
  return r;
}

int getch(textfile& t) {
  int c = peekch(t);
  if (c >= 0 || c == ch_eol) t.back = ch_none;
  return c;
}

rdstat skipline(textfile& t) {
  int c = getch(t);
  if (c == ch_eof) return rdeof;
  while (c != ch_eol) {
    if (c == ch_err) return rderr;
    c = getch(t);
  }
  return rdok;
}

rdstat readline(textfile& t, char* buf, std::int32_t cap, std::int32_t& len) {
  int c = getch(t);
  if (c == ch_eof) return rdeof;
  std::int32_t n = 0;
  while (c != ch_eol) {
    if (c == ch_err) return rderr;
    if (n < cap) buf[n] = static_cast<char>(c);
    if (n <= cap) ++n;  // cap + 1 stands for any longer line
    c = getch(t);
  }
  len = n;
  return rdok;
}

rdstat fftext(textfile& t, char* buf, std::int32_t cap, std::int32_t& len) {
  int c = 0;
  rdstat s = valuestart(t, c);
  if (s != rdok) return s;
  return textvalue(t, c, buf, cap, len);
}

rdstat ffint(textfile& t, std::int32_t& v) {
  rdstat s = numvalue(t);
  if (s != rdok) return s;
  const char* p = t.tok;
  bool neg = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  if (*p == '\0') return rdbad;
  std::int64_t a = 0;
  for (; *p != '\0'; ++p) {
    if (!isdig(*p)) return rdbad;
    a = a * 10 + (*p - '0');
    if (a > std::int64_t{1} << 31) return rdbad;
  }
  if (neg) a = -a;
  if (a > std::numeric_limits<std::int32_t>::max()) return rdbad;
  v = static_cast<std::int32_t>(a);
  return rdok;
}

rdstat ffreal(textfile& t, double& v) {
  rdstat s = numvalue(t);
  if (s != rdok) return s;
  // Check the form and copy it in the form from_chars reads: no '+', 'e' for the exponent.
  const char* p = t.tok;
  char num[toklen + 2];
  int n = 0;
  bool neg = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  if (neg) num[n++] = '-';
  int digits = 0;
  int lead = 0;       // decimal places of the first non-zero digit: > 0 left of the point
  bool point = false;
  bool nonzero = false;
  for (; isdig(*p) || (*p == '.' && !point); ++p) {
    if (*p == '.') {
      point = true;
      if (digits == 0) num[n++] = '0';
    } else {
      ++digits;
      if (*p != '0') nonzero = true;
      if (!point && nonzero) ++lead;
      if (point && !nonzero) --lead;
    }
    num[n++] = *p;
  }
  if (digits == 0) return rdbad;
  std::int64_t ex = 0;
  const bool letter = *p == 'E' || *p == 'e' || *p == 'D' || *p == 'd';
  if (letter || *p == '+' || *p == '-') {  // an exponent, also a sign alone: 1.5+02
    num[n++] = 'e';
    if (letter) ++p;
    bool eneg = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    if (eneg) num[n++] = '-';
    if (!isdig(*p)) return rdbad;
    for (; isdig(*p); ++p) {
      num[n++] = *p;
      if (ex < 1000000) ex = ex * 10 + (*p - '0');
    }
    if (eneg) ex = -ex;
  }
  if (*p != '\0') return rdbad;
  double r = 0.0;
  auto res = std::from_chars(num, num + n, r);
  if (res.ec == std::errc::result_out_of_range) {
    // Only far beyond the range of doubles: the magnitude's sign of exponent decides.
    r = ex + lead > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    if (neg) r = -r;
  } else if (res.ec != std::errc() || res.ptr != num + n) {
    return rdbad;
  }
  v = r;
  return rdok;
}

rdstat ffend(textfile& t) {
  t.sepdone = true;
  t.slashed = false;
  if (t.back == ch_none && t.bol) return rdok;
  rdstat s = skipline(t);
  return s == rderr ? rderr : rdok;
}

}  // namespace corvane
