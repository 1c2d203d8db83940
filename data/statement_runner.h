#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace data {

// Where a :name placeholder stands in a statement (from the colon on) and its name.
struct PlaceholderSpan {
    qsizetype start;
    qsizetype length;
    QString name;
};
// The placeholders of a statement in their order, outside quoted literals and casts (::type).
std::vector<PlaceholderSpan> placeholderSpans(const QString& sql);

// Names of the :name placeholders of a statement, outside quoted literals and casts (::type).
QStringList placeholdersIn(const QString& sql);

// Runs a statement on db under the wait cursor. Placeholders are bound from params (a missing one
// binds NULL); a statement without placeholders is sent as it is. A lost connection is made
// again first. Throws DbError with the driver's message (the lost-connection message first when
// the server went away), logged under plant.sql with the statement's name.
QSqlQuery runStatement(const QSqlDatabase& db, const QString& sql,
                       const QHash<QString, QVariant>& params = {}, bool forwardOnly = true,
                       const QString& name = {});

}  // namespace data
