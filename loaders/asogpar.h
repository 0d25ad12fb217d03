// The parameter stage of loadasog: the group-pair parameters m and n from "prm.aso",
// 43 blocks of 11 lines, block g for ASOG group g:
//   line 1      any text, never read
//   line 2      an integer and a text value (both read, neither used)
//   lines 3-11  86 numbers m(g,1), n(g,1), ..., m(g,43), n(g,43), free-format
// Blocks that the group list does not select are skipped unread.
#pragma once
#include <cstdint>

#include "stage.h"

namespace corvane {

extern double mrow[nasoggrp];  // m values of the block being read, by partner group
extern double nrow[nasoggrp];  // n values of that block, K

// Opens st.datadir + "\prm.aso" and fills rows and columns 1..ng of asogm and asogn for
// the groups st.grplist(1..ng). Fails (diagnostic with the line, ierr = 1) when the
// file cannot be opened or read, ends early, or a selected block holds a value that is
// not a number where one is expected, a null value, a slash or a repeat count among its
// 86 numbers.
void readprmaso(loaderstate& st, const std::int32_t& ng, double (&asogm)[maxgrp * maxgrp],
                double (&asogn)[maxgrp * maxgrp], std::int32_t& ierr);

// The same on the open file t.
void readprmblocks(textfile& t, const loaderstate& st, const std::int32_t& ng,
                   double (&asogm)[maxgrp * maxgrp], double (&asogn)[maxgrp * maxgrp],
                   std::int32_t& ierr);

}  // namespace corvane
