// The shapes of measure the workflows share: a scan entry driven by its keys,
// a list opened and scrolled, whole runs of a confirmation.
#include "measures.h"

#include "raw.h"
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

std::vector<ScanCode> scanCodes(Context& c) {
    std::vector<ScanCode> out;
    for (const QString& s : c.codeMix()) {
        ScanCode k;
        k.text = s.toUtf8();
        k.weighed = k.text.size() == 13 && k.text[0] == '2';
        if (k.text.size() < 9)
            for (long long x = k.text.toLongLong(); x > 0 && x >= k.text.toLongLong() / 100; x /= 10)
                k.tries.push_back(x);
        out.push_back(k);
    }
    return out;
}

Samples readAllRawSqlite(RawSqlite& raw, const char* sql, int rows, int runs) {
    sqlite3_stmt* q = raw.prepare(sql);
    const int columns = sqlite3_column_count(q);
    Samples us;
    for (int i = 0; i < runs; ++i) {
        int read = 0;
        {
            Stopwatch t(us);
            while (sqlite3_step(q) == SQLITE_ROW) {
                for (int k = 0; k < columns; ++k)
                    sqlite3_column_text(q, k);
                ++read;
            }
            sqlite3_reset(q);
        }
        if (read != rows)
            fail(QStringLiteral("%1 rows read, %2 expected").arg(read).arg(rows));
    }
    return us;
}

Samples readAllRawPg(RawPg& raw, const char* name, const char* sql, int rows, int runs) {
    raw.prepare(name, sql);
    Samples us;
    for (int i = 0; i < runs; ++i) {
        int read = 0;
        {
            Stopwatch t(us);
            const PgResult r = raw.run(name, {});
            const int columns = PQnfields(r.get());
            for (int k = 0; k < PQntuples(r.get()); ++k) {
                for (int f = 0; f < columns; ++f)
                    PQgetvalue(r.get(), k, f);
                ++read;
            }
        }
        if (read != rows)
            fail(QStringLiteral("%1 rows read, %2 expected").arg(read).arg(rows));
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
