#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace data {

// A statement executed without rows. Its text stays until the next user replaces it.
class Command {
public:
    explicit Command(const QString& name = {}, const QString& sql = {}) : name_(name), sql_(sql) {}

    void setSql(const QString& text) { sql_ = text; }
    const QString& sql() const { return sql_; }
    void setParam(const QString& name, const QVariant& value) { params_.insert(name, value); }

    // Executes the statement once; throws DbError with the driver's message.
    // Returns the number of rows affected.
    int exec();
    // Executes a statement that changes one existing row by its key; throws RowGoneError when
    // it changed none.
    void execOnRow();
    // Executes a statement that answers with one row (insert ... returning id) and gives the
    // first value of that row; throws DbError when no row comes back.
    QVariant execReturning();

    const QString& name() const { return name_; }

private:
    QString name_;
    QString sql_;
    QHash<QString, QVariant> params_;
};

}  // namespace data
