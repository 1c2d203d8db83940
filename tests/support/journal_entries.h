#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace testdb {

// One row of the journal (accounts_dep.smena) as a test writes it. A column left unset stays
// NULL, as in a row the client never filled.
struct JournalEntry {
    QDate date;
    int shift = 1;
    int worker = 0;
    std::optional<int> product{};
    std::optional<int> operation{};
    std::optional<int> quantity{};
    std::optional<int> defects{};
    std::optional<double> price{};
    std::optional<int> colour{};
    std::optional<int> hours{};
    std::optional<QString> ok = QStringLiteral("no");  // the mark of an entry not yet accepted
    std::optional<double> prize{};
};

// The smallest plant a journal entry needs, on the checking connection: the workers named (ids
// 1, 2 ... in that order), the product "М-1", the operation kind "Сборка" and its operation of
// finished goods (each id 1).
void addOneOperationPlant(const QStringList& workers);

// Writes the entry on the checking connection; returns its id.
int addJournalEntry(const JournalEntry& entry);

}  // namespace testdb
