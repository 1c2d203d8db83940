#include "data/sql_log.h"

#include <utility>

Q_LOGGING_CATEGORY(plantSql, "plant.sql")

namespace data {

namespace {
std::function<QString()>& actionSource() {
    static std::function<QString()> source;
    return source;
}
}  // namespace

void setActionSource(std::function<QString()> currentAction) {
    actionSource() = std::move(currentAction);
}

void logFailedStatement(const QString& statementName, const QString& driverText) {
    const QString name = statementName.isEmpty() ? QStringLiteral("(unnamed)") : statementName;
    const QString action = actionSource() ? actionSource()() : QString();
    qCWarning(plantSql).noquote() << "statement" << name << "failed while doing"
                                  << (action.isEmpty() ? QStringLiteral("(no action)") : action)
                                  << "-" << driverText;
}

}  // namespace data
