// A second handheld for the working-line tests: a process of its own storing
// supplier-document lines into the same store at the same time as another.
//
//   lines_worker receipt <root> <schema prefix or -> <path> <operator> <scans>
//       <scans> times: 1 package of 6 pieces of article 123, and 0,1 of one
//       of twenty articles in turn, onto the operator's goods receipt lines.
//   lines_worker returns <root> <schema prefix or -> <path> <scans>
//       <scans> times: one of twenty EANs in turn and article 789 by its code
//       alone, each set to the number of the scan, into the returns lines.
// Prints "ok" or the error.
#include "documents/quantity_first_lines.h"
#include "documents/receipt_lines.h"
#include "test_store.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() < 6)
        return 2;
    data::DriveMapping mapping(args.at(2));
    if (args.at(3) != QLatin1String("-")) {
        data::PgServer pg = testing_support::pgServerFromEnv();
        pg.schemaPrefix = args.at(3);
        mapping.mapToPostgres(QLatin1Char('c'), pg);
    }
    data::Databases dbs(mapping);
    const data::Database db = dbs.open(args.at(4));
    state::SharedState s;
    s.supplierCode = 7;
    s.supplierName = QStringLiteral("ALIMENTARI ROSSI SPA");
    auto fail = [&](const data::Error& e) {
        out << e.message() << " | " << e.detail << Qt::endl;
        return 1;
    };
    if (args.at(1) == QLatin1String("receipt") && args.size() >= 7) {
        s.operatorNumber = std::int16_t(args.at(5).toInt());
        const int scans = args.at(6).toInt();
        for (int i = 0; i < scans; ++i) {
            const documents::ReceiptScan pack{123, QStringLiteral("8001234567890"), QStringLiteral("PASTA"),
                                              data::Decimal::fromInt(1), data::Decimal::fromInt(6)};
            const documents::ReceiptScan tenth{100 + i % 20, QString(), QStringLiteral("VARIE"),
                                               data::Decimal::fromUnits(1000),
                                               data::Decimal::fromUnits(1000)};
            for (const auto& scan : {pack, tenth})
                if (const data::Error e = documents::storeReceiptLine(db, db, s, scan))
                    return fail(e);
        }
    } else if (args.at(1) == QLatin1String("returns")) {
        const int scans = args.at(5).toInt();
        const auto t = documents::QuantityFirstTable::returns();
        for (int i = 0; i < scans; ++i) {
            const documents::LineKey byEan{
                QStringLiteral("80000000001%1").arg(i % 20, 2, 10, QLatin1Char('0')), 0};
            const documents::LineKey byCode{QString(13, QLatin1Char(' ')), 789};
            for (const auto& [code, key] : {std::pair{123, byEan}, {789, byCode}})
                if (const data::Error e = documents::storeQuantityFirstLine(
                        db, t, s, {code, key, QStringLiteral("RESO"), data::Decimal::fromInt(i + 1)}))
                    return fail(e);
        }
    } else {
        return 2;
    }
    out << "ok" << Qt::endl;
    return 0;
}
