#pragma once

#include "data/verdict.h"

#include <QList>
#include <QString>
#include <functional>

namespace data {

class Dataset;

// A field an editor shows under its caption. A value shown by name but stored as an id (a
// worker's name for w_id) names that id as its key: a different key is a change even when the
// names read alike.
struct ShownField {
    QString field;
    QString caption;
    QString key = {};
};
using ShownFields = QList<ShownField>;

// The shown fields, in their order, whose loaded and stored values differ.
QList<FieldChange> changedFields(const ShownFields& fields, const RowSnapshot& loaded,
                                 const RowSnapshot& stored);

// How an editor's row is read and shown: a statement that reads the one row and locks it until
// the transaction ends (select ... for update), the snapshot of the row it answers, the fields
// compared.
struct GuardedRow {
    QString lockedRead;
    std::function<RowSnapshot(const Dataset&)> shown;
    ShownFields fields;
};

// Inside a Transaction: reads and locks the row and compares it with what the editor loaded.
// Saved means the row is as loaded and stays so until the transaction ends; otherwise Gone or
// ChangedElsewhere with the changed fields and the stored row.
Verdict checkLockedRow(const GuardedRow& row, const RowSnapshot& loaded);

// One transaction: the row locked and compared, then `write` (which throws on failure) only when
// the row is as loaded. Nothing is written otherwise.
Verdict writeUnlessChanged(const GuardedRow& row, const RowSnapshot& loaded,
                           const std::function<void()>& write);

}  // namespace data
