#include "articles/amount_formatter.h"

#include "articles/amount_text.h"

namespace articles {

void formatSharedAmount(state::SharedState& s) {
    // A never-set shared text is Null, an empty one is the empty text: both give 0,00.
    s.amountText = formatAmountText(s.amountText.isNull() ? QVariant() : QVariant(s.amountText), true);
}

} // namespace articles
