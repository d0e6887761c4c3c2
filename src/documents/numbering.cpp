#include "documents/numbering.h"

#include "data/dialect.h"
#include "data/recordset.h"

namespace documents {

namespace {
QString seriesCriterion(std::int16_t user, const QString& code, std::int32_t year) {
    return QStringLiteral("codutente = %1 and tipo= %2 and anno= %3")
        .arg(user)
        .arg(data::quoted(code))
        .arg(year);
}
} // namespace

std::optional<QString> numberingCode(const data::Database& db, const state::SharedState& s,
                                     data::Error* error) {
    data::Recordset rs = db.query(QStringLiteral("SELECT * FROM tipodoc"));
    const bool found = rs.findFirst(QStringLiteral("coddoc = ") + data::quoted(s.documentType.text()));
    if (error)
        *error = rs.error();
    if (!found)
        return std::nullopt;
    return rs.value(QStringLiteral("numeratore")).toString();
}

std::optional<std::int32_t> lastNumber(const data::Database& db, const state::SharedState& s,
                                       data::Error* error) {
    data::Recordset rs = db.query(QStringLiteral("SELECT * FROM numeri"));
    const bool found = rs.findFirst(seriesCriterion(s.userCode, s.numberingCode.text(), s.documentYear));
    if (error)
        *error = rs.error();
    if (!found)
        return std::nullopt;
    return std::int32_t(rs.value(QStringLiteral("ultnum")).toLongLong());
}

data::Error writeBackNumber(const data::Database& db, std::int16_t user, const QString& code,
                            std::int32_t year, std::int32_t number) {
    data::Recordset rs = db.query(QStringLiteral("SELECT * FROM numeri"));
    if (!rs.findFirst(seriesCriterion(user, code, year)))
        return rs.error().kind == data::Error::Kind::NoCurrentRow ? data::Error() : rs.error();
    if (!rs.edit() || !rs.setValue(QStringLiteral("ultnum"), number) || !rs.update())
        return rs.error();
    return {};
}

QString takeInventoryNumber(const data::Database& db, state::SharedState& s, const QDate& today,
                            data::Error* error) {
    s.documentType = QStringLiteral("INVENTARIO");
    s.documentYear = today.year();
    data::Error e;
    const auto code = numberingCode(db, s, &e);
    if (e) {
        if (error)
            *error = e;
        return {};
    }
    if (!code)
        return QStringLiteral("Attenzione!   manca il tipo documento -INVENTARIO- Vedi tabella TIPODOC");
    s.numberingCode = *code;
    const auto last = lastNumber(db, s, &e);
    if (e) {
        if (error)
            *error = e;
        return {};
    }
    if (!last)
        return QStringLiteral("Attenzione!   La numerazione del tipo documento -INVENTARIO- non è stata "
                              "impostata per l'anno corrente");
    s.documentNumber = *last + 1;
    return {};
}

} // namespace documents
