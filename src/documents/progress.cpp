#include "documents/progress.h"

namespace documents {

int progressStep(std::int64_t lines) {
    if (lines <= 0)
        return 0;
    const std::int64_t whole = 1000 / lines;
    const std::int64_t rest = 1000 % lines;
    // Round to the nearest whole number, an exact half to the even one.
    if (2 * rest > lines || (2 * rest == lines && whole % 2 != 0))
        return int(whole + 1);
    return int(whole);
}

int progressAdvance(int value, int step) {
    const int next = value + step;
    return next > 1100 ? 0 : next;
}

} // namespace documents
