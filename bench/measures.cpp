// The shapes of measure the workflows share: a scan entry driven by its keys,
// a list opened and scrolled, whole runs of a confirmation.
#include "measures.h"

#include "ui/data_grid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace bench {

Samples scanIntoScreen(Context& c, const QString& screen, const Setup& setup) {
    auto p = c.program();
    if (setup)
        setup(*p);
    auto* eanw = control<QLineEdit>(p->registry.open(screen), "eanw");
    if (!eanw)
        fail(QStringLiteral("no EAN field on ") + screen);
    const auto& codes = c.codeMix();
    Samples us, warming;
    for (int i = 0; i < 6000; ++i) {
        eanw->setText(codes[size_t(i) % codes.size()]);
        {
            Stopwatch t(i < 2000 ? warming : us);
            QTest::keyClick(eanw, Qt::Key_Return);
        }
        if (!p->registry.find(screen)) { // a pop-up took over: back to the entry
            p->registry.closeAll();
            eanw = control<QLineEdit>(p->registry.open(screen), "eanw");
        }
    }
    return us;
}

Samples openList(Context& c, const QString& screen, const char* gridName, const Setup& setup, int rows,
                 bool toTheEnd, int runs) {
    auto p = c.program();
    Samples us;
    for (int i = 0; i < runs; ++i) {
        if (setup)
            setup(*p);
        ui::DataGrid* grid = nullptr;
        {
            Stopwatch t(us);
            grid = control<ui::DataGrid>(p->registry.open(screen), gridName);
            QApplication::processEvents(); // the first rows painted
            if (grid && toTheEnd) {
                grid->setFocus();
                QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier); // to the last line
                QApplication::processEvents();
            }
        }
        if (!grid)
            fail(QStringLiteral("no grid on ") + screen);
        if (grid->textMatrix(1, 1).isEmpty())
            fail(QStringLiteral("the list shows no lines"));
        if (toTheEnd && rows > 0 && grid->rows() - 1 != rows)
            fail(QStringLiteral("%1 lines shown, %2 expected").arg(grid->rows() - 1).arg(rows));
        p->registry.closeAll();
        QApplication::processEvents();
    }
    return us;
}

Samples timeRuns(int runs, const std::function<void(int)>& prepare, const std::function<void(int)>& work) {
    Samples us;
    for (int run = 1; run <= runs; ++run) {
        if (prepare)
            prepare(run);
        Stopwatch t(us);
        work(run);
    }
    return us;
}

} // namespace bench
