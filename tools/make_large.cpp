// make-large [root] [articles] [inventory lines]: a store of the demo's shape
// with many articles (default 200000) and inventory working lines: operator 1
// one per article (default 20000), operator 2 a list of 50000, operator 3 a
// count of 10000 to confirm; a department order of 5000 lines, 600 open
// supplier orders, the first of 5000 lines. For the benchmarks. A file drives.ini in the root
// may map drive c: to a PostgreSQL server, as for the program: the store is
// then made there.
#include "data/location.h"
#include "storegen.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString root = args.size() > 1 ? args.at(1) : data::DriveMapping::fromEnvironment().dataRoot();
    storegen::Shape shape;
    shape.articles = args.size() > 2 ? args.at(2).toInt() : 200000;
    shape.inventoryLines = args.size() > 3 ? args.at(3).toInt() : 20000;
    shape.longListLines = 50000;
    shape.confirmLines = 10000;
    shape.receiptLines = 10000;
    shape.supplierOrderLines = 10000;
    shape.returnLines = 5000;
    shape.returnNoteLines = 50;
    shape.orderLines = 5000;
    shape.supplierOrders = 600;
    shape.supplierOrderSize = 5000;
    if (shape.articles <= 0) {
        QTextStream(stderr) << "make-large: the number of articles must be positive\n";
        return 2;
    }
    // The root's own drive mapping, drives.ini included.
    qputenv("MARBO_DATA_ROOT", root.toLocal8Bit());
    const QString err = storegen::makeStore(data::DriveMapping::fromEnvironment(), shape);
    if (!err.isEmpty()) {
        QTextStream(stderr) << "make-large: " << err << "\n";
        return 1;
    }
    QTextStream(stdout) << "Store of " << shape.articles << " articles written under " << root << "\n";
    return 0;
}
