// The amount formatter as the sale price change uses it: the shared amount
// text is formatted in place, bare digits meaning cents.
#pragma once

#include "shell/state/shared_state.h"

namespace shell {

void formatSharedAmount(SharedState& s);

} // namespace shell
