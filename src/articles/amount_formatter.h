// The amount formatter as the sale price change uses it: the shared amount
// text is formatted in place, bare digits meaning cents.
#pragma once

#include "state/shared_state.h"

namespace articles {

void formatSharedAmount(state::SharedState& s);

} // namespace articles
