#include "state/shared_state.h"

namespace state {

namespace {
const QString kStoreFile = QStringLiteral("\\marbo\\dati.mdb");
const QString kWorkFile = QStringLiteral("\\marbo\\bancacodean.mdb");
} // namespace

QString settingsDbPath(const SharedState& s) {
    return s.drive + QStringLiteral("\\vesk\\marbo.mdb");
}

void setupAccedi(SharedState& s, const QString& drive, const QString* settingsStorePath) {
    if (settingsStorePath)
        s.storeDbPath = *settingsStorePath;
    s.drive = drive;
    s.workDbPath = drive + kWorkFile;
    if (s.storeDbPath.trimmed().isEmpty())
        s.storeDbPath = drive + kStoreFile;
    s.secondPath = drive + kWorkFile;
}

void setupDotMode(SharedState& s, const QString& drive) {
    s.drive = drive;
    s.workDbPath = drive + kWorkFile;
    s.storeDbPath = drive + kStoreFile;
    s.secondPath = drive + kWorkFile;
}

void setupAltri(SharedState& s, const QString& drive) {
    s.drive = drive;
    if (s.storeDbPath.trimmed().isEmpty())
        s.storeDbPath = drive + kStoreFile;
    // One file serves as work and store database in this mode.
    s.workDbPath = s.storeDbPath;
    s.secondPath = s.storeDbPath;
}

} // namespace state
