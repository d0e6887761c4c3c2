// marbo-bench: the program's measurements on a large store made by make-large.
//   marbo-bench measures ROOT [LABEL]       the table of the store's engine
//                                           (the measures whose label has LABEL)
//   marbo-bench handhelds ROOT [N,...] [K]  many handhelds at once: N processes
//                                           (default 1,2,4,8,16), K scans each
// ROOT is a data root: drive c: holds the SQLite files, or a drives.ini in it
// maps c: to the PostgreSQL server that holds them (see README, "Where the
// data live"). Every measure writes to the store: run it on a copy.
#include "harness.h"
#include "measures.h"

#include <QApplication>
#include <QTextStream>

namespace {
// The offscreen platform cannot raise windows: nothing a reader of the tables needs to see.
QtMessageHandler previousHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support raise")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

int main(int argc, char** argv) {
    const bool worker = argc > 1 && qstrcmp(argv[1], "handheld") == 0;
    if (worker) {
        // A handheld of the many-handhelds run: no screens, no display.
        QCoreApplication app(argc, argv);
        return bench::handheldWorker(app.arguments().mid(1));
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 3) {
        err << "usage: marbo-bench measures ROOT [LABEL] | handhelds ROOT [N,...] [SCANS]\n";
        return 2;
    }
    const QString root = args.at(2);
    if (args.at(1) == QLatin1String("measures")) {
        bench::registerInventoryMeasures();
        bench::registerConfirmationMeasures();
        bench::registerOrderMeasures();
        bench::registerReceiptMeasures();
        bench::registerSupplierOrderMeasures();
        bench::registerLabelMeasures();
        bench::registerPrintingMeasures();
        bench::Context context(root);
        return bench::runMeasures(context, args.value(3)) == 0 ? 0 : 1;
    }
    if (args.at(1) == QLatin1String("handhelds")) {
        std::vector<int> n;
        for (const QString& x : args.value(3, QStringLiteral("1,2,4,8,16")).split(QLatin1Char(',')))
            if (x.toInt() > 0)
                n.push_back(x.toInt());
        const int scans = args.value(4, QStringLiteral("300")).toInt();
        // Faults found are reported in the tables; the exit status says whether any was.
        return bench::runHandhelds(root, n, scans) == 0 ? 0 : 3;
    }
    err << "unknown command " << args.at(1) << "\n";
    return 2;
}
