#pragma once

#include <QLoggingCategory>
#include <QString>

#include <functional>

// The log of refused statements: category plant.sql, one warning per failed statement with its
// name and what the user was doing, as the window layer tells it (setActionSource). The user
// still sees the driver's text (DbError).
Q_DECLARE_LOGGING_CATEGORY(plantSql)

namespace data {

// Logs a statement the server or the driver refused.
void logFailedStatement(const QString& statementName, const QString& driverText);

// What the user is doing, asked when a statement fails: the window layer hands down the label of
// its action in progress (ui::currentAction), empty when none is. Without a source the log says
// "(no action)".
void setActionSource(std::function<QString()> currentAction);

}  // namespace data
