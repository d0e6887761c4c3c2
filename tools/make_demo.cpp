// make-demo [root]: builds the demo store under the data root (default: the
// program's own data root).
#include "data/location.h"
#include "demo_supplier_documents.h"
#include "demo_supplier_orders.h"
#include "storegen.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString root = args.size() > 1 ? args.at(1) : data::DriveMapping::fromEnvironment().dataRoot();
    storegen::Shape shape;
    QString err = storegen::makeStore(root, shape);
    if (err.isEmpty())
        err = storegen::addDemoSupplierOrder(root, shape.today);
    if (err.isEmpty())
        err = demo::addSupplierDocuments(root, shape.today);
    if (!err.isEmpty()) {
        QTextStream(stderr) << "make-demo: " << err << "\n";
        return 1;
    }
    QTextStream(stdout) << "Demo store written under " << root << "\n";
    return 0;
}
