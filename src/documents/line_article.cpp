#include "documents/line_article.h"

#include "articles/article_reads.h"
#include "data/recordset.h"
#include "data/table.h"

namespace documents {

std::optional<LineArticle> LineArticle::of(const data::Database& articles, std::int32_t code,
                                           data::Error* error) {
    data::Error e;
    const auto row = code != 0 ? articles::priceListRow(articles, code, &e) : std::nullopt;
    if (e) {
        *error = e;
        return std::nullopt;
    }
    LineArticle a;
    if (!row) {
        a.unitam = a.iva = a.desgru = QString();
        a.prezzo = a.imballo = 0;
        return a;
    }
    auto text = [&](const char* f) {
        const QVariant v = row->value(QString::fromLatin1(f));
        return v.isNull() ? QVariant(QString()) : v;
    };
    a.unitam = text("umart");
    a.iva = text("ivart");
    a.desgru = text("desgru").toString().left(20);
    a.prezzo = row->value(QStringLiteral("przart"));
    a.imballo = row->value(QStringLiteral("imbart"));
    a.pack = row->decimal(QStringLiteral("imbart")).value_or(data::Decimal());
    return a;
}

namespace {

template <typename Line> void write(const LineArticle& a, Line& line) {
    line.setValue(QStringLiteral("unitam"), a.unitam);
    line.setValue(QStringLiteral("prezzo"), a.prezzo);
    line.setValue(QStringLiteral("imballo"), a.imballo);
    line.setValue(QStringLiteral("iva"), a.iva);
    line.setValue(QStringLiteral("desgru"), a.desgru);
}

} // namespace

void LineArticle::writeTo(data::Recordset& line) const {
    write(*this, line);
}

void LineArticle::writeTo(data::Table& line) const {
    write(*this, line);
}

} // namespace documents
