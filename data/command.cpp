#include "data/command.h"

#include "data/connection.h"
#include "data/db_error.h"
#include "data/statement_runner.h"

namespace data {

int Command::exec() {
    QSqlQuery q = runStatement(defaultDb(), sql_, params_, true, name_);
    return q.numRowsAffected();
}

void Command::execOnRow() {
    requireRowChanged(exec());
}

QVariant Command::execReturning() {
    QSqlQuery q = runStatement(defaultDb(), sql_, params_, true, name_);
    if (!q.next())
        throw DbError(QStringLiteral("Сервер не вернул значение: ") + sql_);
    return q.value(0);
}

}  // namespace data
