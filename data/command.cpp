#include "data/command.h"

#include "data/connection.h"
#include "data/statement_runner.h"

namespace data {

int Command::exec() {
    QSqlQuery q = runStatement(defaultDb(), sql_, params_);
    return q.numRowsAffected();
}

}  // namespace data
