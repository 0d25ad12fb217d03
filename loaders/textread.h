// Reading the loaders' text files: lines, and free-format (list-directed) values.
//
// A line ends with LF or CR LF (the CR is no part of the line); a last line without a
// line end still counts as a line. Lines are numbered from 1 for diagnostics.
//
// A free-format read begins at the start of a line and takes its values one after the
// other, going on over line ends until it has them all; ffend then skips the rest of the
// line on which the last value stands. Values are separated by blanks, tabs, line ends
// or one comma (with blanks around it). Two commas in a row give a null value, and so
// does a comma before the first value; a slash ends the read, so that every value still
// asked for gets none. A text value is written between apostrophes or quotation marks
// (the mark written twice stands for one; the value may run over line ends, which add
// no character) or runs up to the first blank, tab, comma, slash or line end.
#pragma once
#include <cstdint>
#include <cstdio>

namespace corvane {

// Outcome of a read.
enum rdstat : int {
  rdok,        // a value (or a line) was read
  rdnull,      // a null value: a comma where a value should stand
  rdslash,     // a slash has ended the read: no value
  rdbad,       // the value is not a number of the kind asked for
  rdrepeat,    // the value is a repeat count r*c
  rdlong,      // the value is longer than its buffer (it has been read to its end)
  rdunclosed,  // the file ends inside a quoted value
  rdeof,       // the file ends before the value or the line
  rderr        // the platform reports a read error
};

constexpr int toklen = 256;  // longest unquoted numeric value

struct textfile {
  std::FILE* f;
  const char* name;        // the file as diagnostics name it
  std::int32_t lineno;     // number of the line being read; 0 before the first
  std::int32_t back;       // the character looked at but not yet taken, or -4 for none
  bool bol;                // the next character starts a new line
  bool ended;              // the end of the file has been reached
  bool sepdone;            // the read needs no separator before its next value
  bool slashed;            // a slash has ended the current read
  char tok[toklen + 1];    // the last value read as a number (maybe cut), then a zero byte
  std::int32_t ntok;       // its length in tok, 0..toklen; it may hold zero bytes itself
  std::int32_t tokline;    // the line on which it stands
};

// t.tok for a diagnostic: its ntok bytes, each zero byte written as the two characters
// \0, so that a zero byte does not cut the value short.
struct tokshown {
  char s[2 * toklen + 1];
};
tokshown shown(const textfile& t);

// Character codes besides 0..255.
constexpr int ch_eof = -1;   // end of file
constexpr int ch_eol = -2;   // end of a line
constexpr int ch_err = -3;   // read error

// Starts reading the open file f from its beginning; name is kept for diagnostics.
void opentext(textfile& t, std::FILE* f, const char* name);

// The next character (0..255), ch_eol, ch_eof or ch_err; taken from the file.
int getch(textfile& t);

// Skips the rest of the current line (at the start of a line: that whole line).
// rdok, rdeof when no line is left, or rderr.
rdstat skipline(textfile& t);

// Reads the next line: its first cap characters into buf, its length into len (cap + 1
// for any longer line); the rest of the line is skipped. rdok, rdeof when no line is left, or rderr.
rdstat readline(textfile& t, char* buf, std::int32_t cap, std::int32_t& len);

// The next value of the current free-format read, as text: up to cap characters into
// buf, the value's length into len (cap + 1 for any longer value). rdok, rdnull, rdslash, rdlong, rdunclosed, rdeof or
// rderr; buf and len are written only for rdok and rdlong (then buf holds the first cap).
rdstat fftext(textfile& t, char* buf, std::int32_t cap, std::int32_t& len);

// The next value as a 32-bit integer (optional sign, digits). v is written only for rdok.
// rdbad and rdrepeat leave the value in t.tok. A value that holds a zero byte, or is
// written between marks, or is longer than toklen, is rdbad for both number readers.
rdstat ffint(textfile& t, std::int32_t& v);

// The next value as a real: optional sign, digits with or without a decimal point,
// optionally an exponent (E, e, D or d, optional sign, digits; or a sign and digits
// alone, as in 1.5+02). The result is the
// correctly rounded double; a value beyond the range of doubles gives an infinity or a
// zero of its sign. v is written only for rdok.
rdstat ffreal(textfile& t, double& v);

// Ends the current free-format read: skips the rest of the line of its last value, so
// that the next read begins on a new line. rdok (also at the end of the file) or rderr.
rdstat ffend(textfile& t);

}  // namespace corvane
