#include "app/upgrade_command.h"

#include "data/connection.h"
#include "data/db_error.h"
#include "data/schema_upgrade.h"

namespace command_line {

namespace {
const QString kOption = QStringLiteral("--upgrade-database");
}

std::optional<UpgradeRequest> upgradeRequestIn(const QStringList& args) {
    if (args.size() < 2 || args[1] != kOption)
        return std::nullopt;
    return UpgradeRequest{args.value(2), args.value(3)};
}

int runUpgrade(const UpgradeRequest& request, QString& out, QString& err) {
    if (request.database.isEmpty() || request.server.isEmpty()) {
        err =
            QStringLiteral("Укажите базу и сервер: plant-client --upgrade-database БАЗА СЕРВЕР\n");
        return 2;
    }
    out = QStringLiteral("Обновление базы данных %1 на сервере %2\n")
              .arg(request.database, request.server);
    const QString name = QStringLiteral("upgrade");
    try {
        data::Connection connection(name);
        connection.open(data::composeConnectionString(request.database, request.server));
        const QList<data::upgrade::Applied> applied = data::upgrade::run(
            QSqlDatabase::database(name, false), data::upgrade::builtInScripts());
        for (const data::upgrade::Applied& a : applied)
            out += QStringLiteral("  %1: выполнено команд: %2\n").arg(a.name).arg(a.statements);
        out += QStringLiteral("База данных обновлена. Клиенты на ней могут работать дальше.\n");
    } catch (const data::DbError& e) {
        QSqlDatabase::removeDatabase(name);
        err = QStringLiteral("База данных не обновлена, в ней ничего не изменилось:\n") +
              (e.kind() == data::DbErrorKind::Busy ? QString::fromUtf8(kBusyDatabaseMessage)
                                                   : e.message()) +
              u'\n';
        return 1;
    }
    QSqlDatabase::removeDatabase(name);
    return 0;
}

}  // namespace command_line
