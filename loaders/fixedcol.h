// Numeric fields of fixed-column text lines. A field is given by its first and last
// column, counted from 1; a line that ends before the last column reads as if it
// continued with blanks. Blanks are ignored anywhere inside a field, and a field of
// blanks only reads as 0. Each reader returns false for a field that is no number,
// and then leaves v as it was.
#pragma once
#include <cstdint>

namespace corvane {

// An integer field: an optional sign followed by digits.
bool fixint(const char* line, int len, int col1, int col2, std::int32_t& v);

// A real field: an optional sign, digits with at most one decimal point among or
// around them, then optionally an exponent (E, e, D or d with an optional sign and
// digits, or a sign and digits alone, as in 1.5+02). Without a decimal point the last
// d digits before the exponent are decimals; a written point overrides d. The value is
// the correctly rounded double of the decimal number the field denotes (an
// out-of-range value gives an infinity or a zero of its sign).
bool fixreal(const char* line, int len, int col1, int col2, int d, double& v);

}  // namespace corvane
