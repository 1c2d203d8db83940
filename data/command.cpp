#include "data/command.h"

#include "data/connection.h"
#include "data/statement_runner.h"

namespace data {

int Command::exec() {
    const QSqlDatabase db =
        connectionName_.isEmpty() ? defaultDb() : QSqlDatabase::database(connectionName_, false);
    QSqlQuery q = runStatement(db, sql_, params_);
    return q.numRowsAffected();
}

}  // namespace data
