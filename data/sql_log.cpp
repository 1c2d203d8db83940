#include "data/sql_log.h"

#include "ui/action_scope.h"

Q_LOGGING_CATEGORY(plantSql, "plant.sql")

namespace data {

void logFailedStatement(const QString& statementName, const QString& driverText) {
    const QString name = statementName.isEmpty() ? QStringLiteral("(unnamed)") : statementName;
    const QString action = ui::currentAction();
    qCWarning(plantSql).noquote() << "statement" << name << "failed while doing"
                                  << (action.isEmpty() ? QStringLiteral("(no action)") : action)
                                  << "-" << driverText;
}

}  // namespace data
