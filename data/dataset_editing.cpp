#include "data/dataset.h"

#include "data/db_error.h"
#include "data/statement_runner.h"

#include <QSqlQuery>
#include <QtMath>

// Dataset's writing: a row inserted, changed or deleted in its update table by its key, and
// kept in the fetched rows once the server took it.

namespace data {

void Dataset::requireWritable() const {
    if (updateTable_.isEmpty())
        throw DbError(name_ + QStringLiteral(": набор данных только для чтения"));
    if (!isOpen())
        throw DbError(name_ + QStringLiteral(": набор данных закрыт"));
}

void Dataset::insert() {
    requireWritable();
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    const int stored = storedRowCount();
    rows_.appendBlankRow();
    pendingRow_ = stored;
    visible_.push_back(stored);
    buffer_.assign(fields_.size(), QVariant());
    modified_.assign(fields_.size(), false);
    state_ = State::Insert;
    current_ = static_cast<int>(visible_.size()) - 1;
    eof_ = false;
    emit rowsChanged();
    emit currentChanged(recNo());
}

void Dataset::edit() {
    requireWritable();
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    if (current_ < 0)
        throw DbError(name_ + QStringLiteral(": нет строки для изменения"));
    const int stored = visible_[current_];
    buffer_.clear();
    for (int c = 0; c < fields_.size(); ++c)
        buffer_.push_back(cell(stored, c));
    modified_.assign(fields_.size(), false);
    state_ = State::Edit;
}

void Dataset::setValue(const QString& field, const QVariant& value) {
    const int c = checkedField(field);
    if (state_ != State::Edit && state_ != State::Insert)
        edit();
    buffer_[c] = value;
    modified_[c] = true;
    emit rowDataChanged(current_);
}

bool Dataset::isModified() const {
    if (state_ != State::Edit && state_ != State::Insert)
        return false;
    for (bool m : modified_)
        if (m)
            return true;
    return false;
}

void Dataset::post() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    requireWritable();
    QStringList columns;
    QHash<QString, QVariant> params;
    const int key = fieldIndex(keyField_);
    for (int c = 0; c < fields_.size(); ++c) {
        if (!modified_[c] || c == key)
            continue;
        columns << fields_[c];
        params.insert(QStringLiteral("p%1").arg(c), buffer_[c]);
    }
    const int stored = visible_[current_];
    if (state_ == State::Insert) {
        QStringList values;
        for (int c = 0; c < fields_.size(); ++c)
            if (modified_[c] && c != key)
                values << QStringLiteral(":p%1").arg(c);
        QString sql = QStringLiteral("insert into ") + updateTable_;
        sql += columns.isEmpty() ? QStringLiteral(" default values")
                                 : QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
                                       QStringLiteral(") values (") +
                                       values.join(QStringLiteral(", ")) + QLatin1Char(')');
        if (key >= 0)
            sql += QStringLiteral(" returning ") + keyField_;
        QSqlQuery q = runStatement(db(), sql, params, true, name_);
        if (key >= 0 && q.next())
            buffer_[key] = q.value(0);
    } else if (!columns.isEmpty()) {
        if (key < 0)
            throw DbError(name_ + QStringLiteral(": нет ключевого поля ") + keyField_);
        QStringList sets;
        for (int c = 0; c < fields_.size(); ++c)
            if (modified_[c] && c != key)
                sets << fields_[c] + QStringLiteral("=:p%1").arg(c);
        params.insert(QStringLiteral("key"), cell(stored, key));
        const QSqlQuery q =
            runStatement(db(),
                         QStringLiteral("update ") + updateTable_ + QStringLiteral(" set ") +
                             sets.join(QStringLiteral(", ")) + QStringLiteral(" where ") +
                             keyField_ + QStringLiteral("=:key"),
                         params, true, name_);
        requireRowChanged(q.numRowsAffected());
    }
    for (int c = 0; c < fields_.size(); ++c) {
        const QVariant was = cell(stored, c);
        const QVariant& now = buffer_[c];
        if (now.typeId() != was.typeId() || now.isNull() != was.isNull() || now != was)
            rows_.set(stored, c, now);
    }
    pendingRow_ = -1;
    state_ = State::Browse;
    buffer_.clear();
    modified_.clear();
    emit rowDataChanged(current_);
    if (subject_)
        announce(Change::row(*subject_, key >= 0 ? cell(stored, key).toLongLong() : 0));
}

void Dataset::cancel() {
    if (state_ == State::Insert && pendingRow_ >= 0) {
        const int row = pendingRow_;
        state_ = State::Browse;
        pendingRow_ = -1;
        removeStoredRow(row);
    }
    state_ = isOpen() ? State::Browse : State::Inactive;
    buffer_.clear();
    modified_.clear();
    if (current_ >= 0)
        emit rowDataChanged(current_);
}

void Dataset::removeStoredRow(int storedRow) {
    rows_.removeRow(storedRow);
    std::vector<int> kept;
    kept.reserve(visible_.size());
    for (int r : visible_) {
        if (r == storedRow)
            continue;
        kept.push_back(r > storedRow ? r - 1 : r);
    }
    visible_.swap(kept);
    current_ = visible_.empty() ? -1 : qBound(0, current_, static_cast<int>(visible_.size()) - 1);
    eof_ = visible_.empty();
    emit rowsChanged();
    emit currentChanged(recNo());
}

void Dataset::remove() {
    requireWritable();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (current_ < 0)
        return;
    const int key = checkedField(keyField_);
    const int stored = visible_[current_];
    const QSqlQuery q =
        runStatement(db(),
                     QStringLiteral("delete from ") + updateTable_ + QStringLiteral(" where ") +
                         keyField_ + QStringLiteral("=:key"),
                     {{QStringLiteral("key"), cell(stored, key)}}, true, name_);
    requireRowChanged(q.numRowsAffected());
    const qint64 id = cell(stored, key).toLongLong();
    removeStoredRow(stored);
    if (subject_)
        announce(Change::row(*subject_, id));
}

void reloadIfRowGone(Dataset& ds, const std::function<void()>& write) {
    const int row = ds.recNo();
    try {
        write();
    } catch (const RowGoneError&) {
        ds.reopenAt(row);
        throw;
    }
}

}  // namespace data
