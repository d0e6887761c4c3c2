#include "shell/amount_formatter.h"

#include "articles/amount_text.h"

namespace shell {

void formatSharedAmount(SharedState& s) {
    // A never-set shared text is Null, an empty one is the empty text: both give 0,00.
    s.amountText =
        articles::formatAmountText(s.amountText.isNull() ? QVariant() : QVariant(s.amountText), true);
}

} // namespace shell
