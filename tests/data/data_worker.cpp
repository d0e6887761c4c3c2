// Another workstation for the data-layer tests: a process of its own on the
// same store, so a test sees what a second handheld, or a user without rights
// on the store's folder, would.
//
//   data_worker scan  <root> <schema prefix or -> <path> <operator> <scans>
//       <scans> times: stores 0,1 of one of fifty articles in turn and 1 of
//       article 77 into the operator's working lines, each as one
//       find-or-insert under a key lock, as the entry screens do; prints "ok"
//       or the error.
//   data_worker probe <root> <path> [--as-nobody]
//       reads codean, then adds an inventory line; prints one line per step:
//       the error kind as a number, a tab, the operator's message.
#include "data/recordset.h"
#include "data/table.h"
#include "test_store.h"

#include <QCoreApplication>
#include <QTextStream>
#include <unistd.h>

namespace {

data::Error storeScan(const data::Database& db, int oper, int code, const QString& ean, data::Decimal q) {
    data::WriteScope w(db);
    if (!w.ok())
        return w.error();
    if (data::Error e = w.lockKey(QStringLiteral("inventario"), {oper, code}))
        return e;
    data::Recordset lines =
        db.query(QStringLiteral("SELECT * FROM inventario WHERE oper =") + QString::number(oper));
    if (lines.findFirst(QStringLiteral("codcasa = %1 and oper = %2").arg(code).arg(oper))) {
        if (!lines.edit() || !lines.addTo(QStringLiteral("colli"), q) ||
            !lines.addTo(QStringLiteral("quantita"), q) || !lines.update())
            return lines.error();
    } else {
        if (!lines.ok())
            return lines.error();
        data::Table t = db.table(QStringLiteral("inventario"));
        t.addNew();
        t.setValue(QStringLiteral("codcasa"), code);
        t.setValue(QStringLiteral("eanrig"), ean);
        t.setValue(QStringLiteral("oper"), oper);
        t.addTo(QStringLiteral("colli"), q);
        t.addTo(QStringLiteral("quantita"), q);
        if (!t.update())
            return t.error();
    }
    return w.commit();
}

data::DriveMapping mappingFor(const QString& root, const QString& prefix) {
    data::DriveMapping mapping(root);
    if (prefix != QLatin1String("-")) {
        data::PgServer pg = testing_support::pgServerFromEnv();
        pg.schemaPrefix = prefix;
        mapping.mapToPostgres(QLatin1Char('t'), pg);
    }
    return mapping;
}

QString line(const data::Error& e) {
    return QStringLiteral("%1\t%2").arg(int(e.kind)).arg(e.message());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() >= 7 && args.at(1) == QLatin1String("scan")) {
        data::Databases dbs(mappingFor(args.at(2), args.at(3)));
        const data::Database db = dbs.open(args.at(4));
        const int oper = args.at(5).toInt();
        const int scans = args.at(6).toInt();
        for (int i = 0; i < scans; ++i) {
            const int code = 100 + i % 50;
            for (const auto& [c, ean, q] :
                 {std::tuple{code, QStringLiteral("80000000%1").arg(code, 5, 10, QLatin1Char('0')),
                             data::Decimal::fromUnits(1000)},
                  std::tuple{77, QStringLiteral("2001234000004"), data::Decimal::fromInt(1)}}) {
                if (const data::Error e = storeScan(db, oper, c, ean, q)) {
                    out << line(e) << " | " << e.detail << Qt::endl;
                    return 1;
                }
            }
        }
        out << "ok" << Qt::endl;
        return 0;
    }
    if (args.size() >= 4 && args.at(1) == QLatin1String("probe")) {
        if (args.contains(QLatin1String("--as-nobody")) && geteuid() == 0) {
            // Root may write anywhere: the store's clerk may not.
            if (setgid(65534) != 0 || setuid(65534) != 0)
                return 2;
        }
        data::Databases dbs(mappingFor(args.at(2), QStringLiteral("-")));
        const data::Database db = dbs.open(args.at(3));
        data::Table codean = db.table(QStringLiteral("codean"));
        codean.setIndex(QStringLiteral("keyean"));
        codean.seek(QStringLiteral("8001234567890"));
        out << line(codean.error()) << Qt::endl;
        data::Table inv = db.table(QStringLiteral("inventario"));
        inv.addNew();
        inv.setValue(QStringLiteral("codcasa"), 5);
        inv.setValue(QStringLiteral("oper"), 9);
        inv.update();
        out << line(inv.error()) << Qt::endl;
        return 0;
    }
    return 2;
}
