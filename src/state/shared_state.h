// The values that all screens share instead of passing parameters: a menu
// stores the operator before it opens an entry screen, a list stores the EAN of
// the chosen line before it opens the screen that shows it, the main menu
// stores the database paths. Every number starts at 0 and every text empty
// (fixed-width texts all blanks); nothing is saved between runs.
#pragma once

#include "state/fixed_text.h"

#include <QDate>
#include <QString>
#include <cstdint>

namespace state {

struct QueryParts {
    QString head;      // SELECT ... FROM ...
    QString order;     // ORDER BY ...
    QString condition; // WHERE ...
};

struct SharedState {
    QString drive;                // drive prefix of the database paths, such as "c:"
    FixedText<13> ean;            // the current article's EAN
    std::int32_t articleCode = 0; // listi01.codart; 0 means none
    std::int16_t supplierCode = 0;
    std::int16_t operatorNumber = 0;
    FixedText<4> sortDirection; // "DESC" or "ASC "
    std::int16_t gridRow = 0;
    std::int16_t userCode = 0;
    FixedText<1> department;    // "T", "M", "O" or "S"
    FixedText<12> documentType; // tipodoc.coddoc
    QString amountText;         // handed to the amount formatter and back
    std::int16_t seekKey = 0;
    FixedText<2> numberingCode; // numeri.tipo
    FixedText<45> supplierName;
    FixedText<35> userName;
    FixedText<2> priceList;    // codlis of the documents
    std::int16_t lastLine = 0; // bns last written
    std::int32_t documentYear = 0;
    std::int32_t documentNumber = 0;
    QDate documentDate;
    std::int32_t labelSequence = 0;
    QueryParts query;
    QString workDbPath;  // work database
    QString secondPath;  // always the same file as workDbPath
    QString storeDbPath; // store database
};

// Store modes: each sets the paths from the drive chosen in the drive list.
// "ACCEDI" takes the store database path from the settings database; the caller
// reads it (`settingsStorePath`: the `database` field of the first `società`
// row, or null when there is none) before calling.
void setupAccedi(SharedState& s, const QString& drive, const QString* settingsStorePath);
void setupDotMode(SharedState& s, const QString& drive); // "......"
void setupAltri(SharedState& s, const QString& drive);   // "ALTRI"

// Path of the settings database as "ACCEDI" opens it: the shared drive in force
// before the press (empty at the first set-up: the current drive's root).
QString settingsDbPath(const SharedState& s);

} // namespace state
