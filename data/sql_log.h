#pragma once

#include <QLoggingCategory>
#include <QString>

// The log of refused statements: category plant.sql, one warning per failed statement with its
// name and what the window was doing (the label of the action in progress, ui/action_scope.h).
// The user still sees the driver's text (DbError).
Q_DECLARE_LOGGING_CATEGORY(plantSql)

namespace data {

// Logs a statement the server or the driver refused.
void logFailedStatement(const QString& statementName, const QString& driverText);

}  // namespace data
