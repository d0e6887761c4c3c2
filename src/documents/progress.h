// The progress of a confirmation, as its bar shows it: each working line moves
// the bar by one step of 1000 / lines (rounded to a whole number, an exact half
// to the even neighbour), and a value above 1100 starts again from 0. The bar
// runs from 0 to 1200, so a run of any length stays on it: 7 lines step by 143
// and end at 1001, 2 lines step by 500 and end at 1000.
#pragma once

#include <cstdint>

namespace documents {

inline constexpr int kProgressMaximum = 1200;

// The step of one line in a run of `lines` lines (0 for none).
int progressStep(std::int64_t lines);

// The value after one more line.
int progressAdvance(int value, int step);

} // namespace documents
