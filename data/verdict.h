#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <optional>

namespace data {

// A row as an editor shows it: field name -> the value's text as the editor shows it.
using RowSnapshot = QMap<QString, QString>;

// One field that another workstation changed: its caption, the value loaded, the value stored,
// and, where the user changed it too to another value, the user's own.
struct FieldChange {
    QString caption;
    QString loaded;
    QString stored;
    std::optional<QString> yours = {};
    bool operator==(const FieldChange&) const = default;
};

inline constexpr const char* kChangedElsewhereMessage = "Запись изменена с другого рабочего места.";
// kChangedElsewhereMessage, then each change on its own line: "Кол-во: 38 → 40", or with the
// user's own value "Кол-во: 38 → 40, у вас: 32".
QString changedElsewhereMessage(const QList<FieldChange>& changes);

// What became of a save or a deletion: written, or refused with the text the user is shown.
// Every write that a window asks of the core answers with it; the window shows the message.
struct Verdict {
    enum class Kind {
        Saved,             // written (a deletion too)
        Duplicate,         // the same key is stored already
        Refused,           // values the rules refuse
        ChangedElsewhere,  // the row differs from the one the editor loaded
        Gone,              // the row was deleted by another workstation
    };
    Kind kind = Kind::Saved;
    QString message;             // the refusal's text; empty when saved
    QList<FieldChange> changes;  // ChangedElsewhere: what differs
    RowSnapshot stored;          // ChangedElsewhere: the row as stored, the editor's new start
    qint64 id = 0;               // saved: the row written (a new row's id)

    bool saved() const { return kind == Kind::Saved; }
    bool operator==(Kind k) const { return kind == k; }

    static Verdict savedRow(qint64 id) { return {Kind::Saved, {}, {}, {}, id}; }
    static Verdict refusal(Kind kind, const QString& message) { return {kind, message, {}, {}, 0}; }
    static Verdict gone();  // with data::kRowGoneMessage
    static Verdict changedElsewhere(const QList<FieldChange>& changes, const RowSnapshot& stored);
};

}  // namespace data
