// The measures of each workflow, registered by main.cpp in table order, and
// what their functions share.
#pragma once

#include "harness.h"
#include "ui/screen.h"

#include <functional>

namespace bench {

using Setup = std::function<void(Program&)>;

void registerInventoryMeasures();
void registerConfirmationMeasures();
void registerPrintingMeasures();
void registerLabelMeasures();
void registerOrderMeasures();
void registerReceiptMeasures();
void registerSupplierOrderMeasures();

// Many handhelds at once on one store: stores and confirmations from N
// processes. Prints its tables; returns the number of faults found (counts
// lost or doubled, documents under one number, lines lost).
int runHandhelds(const QString& root, const std::vector<int>& processes, int scans);
// One handheld of that run (this program started again by runHandhelds).
int handheldWorker(const QStringList& args);

// Scans the code mix into the EAN field ("eanw") of a scan entry screen, Enter
// after each code, and times each Enter; the first 2000 scans warm the caches.
// `setup` prepares the shared state before the screen opens (operator,
// supplier, department).
Samples scanIntoScreen(Context& c, const QString& screen, const Setup& setup = {});

// Opens a list screen and times it until its first rows are painted or, with
// `toTheEnd`, until its grid (`grid`, the control name) is scrolled to the
// last row; fails unless the list shows `rows` lines (0: any).
Samples openList(Context& c, const QString& screen, const char* grid, const Setup& setup, int rows,
                 bool toTheEnd, int runs);

// A code of the scan mix as the raw baselines seek it: a weighed in-store
// code (found by its prefix), the internal codes to try (as typed, then
// shortened), else an EAN.
struct ScanCode {
    QByteArray text;
    bool weighed = false;
    std::vector<long long> tries; // internal codes to try, in order
};
std::vector<ScanCode> scanCodes(Context& c);

// The raw read of a list: every row and column of `sql` as text, `runs`
// times, each run timed; fails unless it gives `rows` rows.
Samples readAllRawSqlite(RawSqlite& raw, const char* sql, int rows, int runs);
Samples readAllRawPg(RawPg& raw, const char* name, const char* sql, int rows, int runs);

// Times `runs` runs of `work`, each after an untimed `prepare` (fresh working
// lines for a confirmation, say); run numbers count from 1.
Samples timeRuns(int runs, const std::function<void(int)>& prepare, const std::function<void(int)>& work);

// A control of a screen by its name; null when the screen or control is missing.
template <typename T> T* control(ui::Screen* screen, const char* name) {
    return screen ? screen->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

} // namespace bench
