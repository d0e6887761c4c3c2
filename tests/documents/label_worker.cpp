// Another handheld for the label request tests: a process of its own on the
// same store.
//
//   label_worker <root> <schema prefix or -> <path> <first> <count>
//       requests one label for the second EAN (80200000nnnnn) of the articles
//       1000 + first ... 1000 + first + count - 1, each as the request screen
//       records it; prints "ok" or the error.
#include "documents/label_requests.h"
#include "test_store.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() < 6)
        return 2;
    data::DriveMapping mapping(args.at(1));
    if (args.at(2) != QLatin1String("-")) {
        data::PgServer pg = testing_support::pgServerFromEnv();
        pg.schemaPrefix = args.at(2);
        mapping.mapToPostgres(QLatin1Char('c'), pg);
    }
    data::Databases dbs(mapping);
    const data::Database db = dbs.open(args.at(3));
    const int first = args.at(4).toInt();
    const int count = args.at(5).toInt();
    std::int32_t counter = 0; // as a screen opened before any request had its number
    for (int i = first; i < first + count; ++i) {
        const QString ean = QStringLiteral("80200000%1").arg(i, 5, 10, QLatin1Char('0'));
        const documents::LabelRequest r =
            documents::requestLabels(db, 1000 + i, ean, data::Decimal::fromInt(1), counter);
        if (r.error) {
            out << r.error.message() << " | " << r.error.detail << Qt::endl;
            return 1;
        }
        counter = r.sequence;
    }
    out << "ok" << Qt::endl;
    return 0;
}
