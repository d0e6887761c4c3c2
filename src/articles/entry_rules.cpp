#include "articles/entry_rules.h"

#include "articles/readings.h"

#include <cmath>
#include <limits>

namespace articles {

std::optional<std::int16_t> operatorNumber(const QString& typed) {
    if (typed.isEmpty())
        return std::nullopt;
    const double rounded = std::nearbyint(leadingNumber(typed));
    if (rounded == 0 || rounded > std::numeric_limits<std::int16_t>::max() ||
        rounded < std::numeric_limits<std::int16_t>::min())
        return std::nullopt;
    return std::int16_t(rounded);
}

bool looksLikeScannedCode(const QString& typedQuantity) {
    const auto q = regionalNumber(typedQuantity);
    return q && std::floor(*q) > kSuspectCountAbove;
}

bool storableCount(data::Decimal quantity) {
    constexpr auto limit = data::Decimal::fromInt(std::int32_t(kQuantityLimit));
    const auto magnitude = quantity.sign() < 0 ? quantity.negated() : std::optional(quantity);
    return !quantity.isZero() && magnitude && *magnitude < limit;
}

} // namespace articles
