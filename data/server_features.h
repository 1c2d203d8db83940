#pragma once

#include "data/connection.h"

#include <QSqlDatabase>
#include <QString>

// What the connected database offers beyond the original schema: the objects of the database
// upgrade (data/schema_upgrade.h). Asked once per connection; a new or renewed connection asks
// again, so a database upgraded meanwhile is seen after the next reconnect.
namespace data {

// Whether the database keeps closed months (accounts_dep.closed_month and its triggers).
bool closedMonthsAvailable(const QSqlDatabase& db = defaultDb());

// Whether months are closed and reopened through the database's own functions
// (accounts_dep.close_month, accounts_dep.reopen_month with its reason); a database upgraded
// before them has only the table.
bool monthFunctionsAvailable(const QSqlDatabase& db = defaultDb());

// Drops what was learnt about the named connection (it was opened, closed or made again).
void forgetServerFeatures(const QString& connectionName);

}  // namespace data
