#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <functional>
#include <optional>

namespace data {

class Dataset;

// A row as an editor shows it: field name -> the value's text as the editor shows it.
using RowSnapshot = QMap<QString, QString>;

// A field an editor shows under its caption. A value shown by name but stored as an id (a
// worker's name for w_id) names that id as its key: a different key is a change even when the
// names read alike.
struct ShownField {
    QString field;
    QString caption;
    QString key = {};
};
using ShownFields = QList<ShownField>;

// One field that another workstation changed: its caption, the value loaded, the value stored,
// and, where the user changed it too to another value, the user's own.
struct FieldChange {
    QString caption;
    QString loaded;
    QString stored;
    std::optional<QString> yours = {};
    bool operator==(const FieldChange&) const = default;
};

// The shown fields, in their order, whose loaded and stored values differ.
QList<FieldChange> changedFields(const ShownFields& fields, const RowSnapshot& loaded,
                                 const RowSnapshot& stored);

inline constexpr const char* kChangedElsewhereMessage = "Запись изменена с другого рабочего места.";
// kChangedElsewhereMessage, then each change on its own line: "Кол-во: 38 → 40", or with the
// user's own value "Кол-во: 38 → 40, у вас: 32".
QString changedElsewhereMessage(const QList<FieldChange>& changes);

// What became of a write aimed at one existing row that an editor loaded.
struct RowVerdict {
    enum class Kind { Saved, ChangedElsewhere, Gone };
    Kind kind = Kind::Saved;
    QList<FieldChange> changes;  // ChangedElsewhere: what differs
    RowSnapshot stored;          // ChangedElsewhere: the row as stored, the editor's new start
    bool saved() const { return kind == Kind::Saved; }
    // The refusal the user is shown; empty when saved.
    QString message() const;
};

// How an editor's row is read and shown: a statement that reads the one row and locks it until
// the transaction ends (select ... for update), the snapshot of the row it answers, the fields
// compared.
struct GuardedRow {
    QString lockedRead;
    std::function<RowSnapshot(const Dataset&)> shown;
    ShownFields fields;
};

// Inside a Transaction: reads and locks the row and compares it with what the editor loaded.
// Saved means the row is as loaded and stays so until the transaction ends.
RowVerdict checkLockedRow(const GuardedRow& row, const RowSnapshot& loaded);

// One transaction: the row locked and compared, then `write` (which throws on failure) only when
// the row is as loaded. Nothing is written otherwise.
RowVerdict writeUnlessChanged(const GuardedRow& row, const RowSnapshot& loaded,
                              const std::function<void()>& write);

}  // namespace data
