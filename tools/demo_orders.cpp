#include "demo_orders.h"

#include "data/database.h"
#include "data/table.h"

#include <QTime>

namespace storegen {

namespace {

QString text(const data::Error& e) {
    return e.message() + QLatin1Char(' ') + e.detail;
}

} // namespace

QString demoSupplierCode(int codart) {
    return QStringLiteral("7%1").arg(codart, 8, 10, QLatin1Char('0'));
}

QString addOrderDemo(const QString& root, const QDate& today) {
    data::Databases dbs{data::DriveMapping(root)};
    const data::Database store = dbs.open(QStringLiteral("c:\\marbo\\dati.mdb"));
    const data::Database work = dbs.open(QStringLiteral("c:\\marbo\\bancacodean.mdb"));
    for (const data::Database& db : {store, work}) {
        data::Error e;
        const auto articles = db.rowsNative(QStringLiteral("SELECT codart FROM listi01"), {}, &e);
        if (e)
            return text(e);
        data::WriteScope w(db);
        for (const QVariantList& a : articles)
            if ((e = db.executeNative(QStringLiteral("UPDATE listi01 SET codafo = ? WHERE codart = ?"),
                                      {demoSupplierCode(a.at(0).toInt()), a.at(0)})))
                return text(e);
        if ((e = w.commit()))
            return text(e);
    }

    data::WriteScope w(work);
    if (!w.ok())
        return text(w.error());
    data::Error e;
    // Each article of the order tables with its EAN row of `articoli` and its data, in code order.
    const auto articles = work.rowsNative(
        QStringLiteral("SELECT c.codare, ar.codean, a.desart, a.imbart, a.przart, a.ivart, a.umart, a.desgru "
                       "FROM articoli ar JOIN codean c ON c.eanare = ar.codean "
                       "JOIN articolo a ON a.codart = c.codare ORDER BY c.codare"),
        {}, &e);
    if (e)
        return text(e);
    enum { Code, Ean, Description, Pack, Price, Vat, Unit, Group };
    // The last order of one article in three: a few packs, a few days ago.
    for (size_t i = 0; i < articles.size(); ++i) {
        const QVariantList& a = articles[i];
        if ((e = work.executeNative(QStringLiteral("UPDATE articoli SET codart = ? WHERE codean = ?"),
                                    {a.at(Code), a.at(Ean)})))
            return text(e);
        if (i % 3 != 0)
            continue;
        const int packs = 1 + int(i / 3) % 6;
        const QDate day = today.addDays(-1 - int(i / 3) % 20);
        const QString sent = QTime(8 + int(i) % 10, int(i * 7) % 60).toString(Qt::ISODate);
        if ((e = work.executeNative(
                 QStringLiteral("UPDATE articoli SET quantiuo = 0, colliuo = ?, datauo = ?, orauo = ? "
                                "WHERE codean = ?"),
                 {packs, day, sent, a.at(Ean)})) ||
            (e = work.executeNative(
                 QStringLiteral("UPDATE articolo SET quantiuo = 0, colliuo = ?, datauo = ?, orauo = ? "
                                "WHERE codart = ?"),
                 {packs, day, sent, a.at(Code)})))
            return text(e);
    }
    // The open order document: its header and five lines of three days ago.
    const QDate opened = today.addDays(-3);
    data::Table testa = work.table(QStringLiteral("testa"));
    testa.addNew();
    testa.setValue(QStringLiteral("codutente"), 1);
    testa.setValue(QStringLiteral("anno"), today.year());
    testa.setValue(QStringLiteral("numero"), kDemoOrderNumber);
    testa.setValue(QStringLiteral("dataor"), opened);
    testa.setValue(QStringLiteral("tipodoc"), QStringLiteral("ORDINE"));
    if (!testa.update())
        return text(testa.error());
    const QString insert = QStringLiteral(
        "INSERT INTO movimenti (bannoc, bnumer, bns, bdator, articoli, unitam, imballo, prezzo, quantita, "
        "colli, "
        "descrizione, iva, desgru, eanrig, totrig) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int line = 1; line <= 5 && size_t(line * 17) < articles.size(); ++line) {
        const QVariantList& a = articles[size_t(line * 17)];
        const int packs = line % 3 + 1;
        const double pack = a.at(Pack).toDouble();
        const double price = a.at(Price).toDouble();
        if ((e = work.executeNative(insert,
                                    {today.year(), kDemoOrderNumber, line, opened, a.at(Code), a.at(Unit),
                                     pack, price, packs, pack * packs, a.at(Description).toString().left(35),
                                     a.at(Vat).toInt(), a.at(Group), a.at(Ean), pack * packs * price})))
            return text(e);
    }
    if ((e = w.commit()))
        return text(e);
    return {};
}

} // namespace storegen
