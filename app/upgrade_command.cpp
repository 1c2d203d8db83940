#include "app/upgrade_command.h"

#include "data/connection.h"
#include "data/database_securing.h"
#include "data/db_error.h"
#include "data/schema_upgrade.h"

namespace command_line {

QString unchangedDatabaseText(const QString& headline, const data::DbError& error) {
    return headline + u'\n' +
           (error.kind() == data::DbErrorKind::Busy ? QString::fromUtf8(kBusyDatabaseMessage)
                                                    : error.message()) +
           u'\n';
}

namespace {
const QString kOption = QStringLiteral("--upgrade-database");
}

std::optional<UpgradeRequest> upgradeRequestIn(const QStringList& args) {
    if (args.size() < 2 || args[1] != kOption)
        return std::nullopt;
    return UpgradeRequest{args.value(2), args.value(3)};
}

int runUpgrade(const UpgradeRequest& request, QString& out, QString& err,
               const PasswordPrompt& ask) {
    if (request.database.isEmpty() || request.server.isEmpty()) {
        err =
            QStringLiteral("Укажите базу и сервер: plant-client --upgrade-database БАЗА СЕРВЕР\n");
        return 2;
    }
    out = QStringLiteral("Обновление базы данных %1 на сервере %2\n")
              .arg(request.database, request.server);
    const QString name = QStringLiteral("upgrade");
    // The server administrator when PGUSER names one (a secured database is upgraded by a
    // superuser), else the built-in login.
    const auto login = serverLoginFromEnvironment(request.database, request.server, ask);
    try {
        data::Connection connection(name);
        connection.open(login ? connectionStringAs(request.database, request.server, *login)
                              : data::composeConnectionString(request.database, request.server));
        QSqlDatabase db = QSqlDatabase::database(name, false);
        // A secured database keeps its owner and rights: the upgrade runs as its owner role
        // between the securing scripts.
        const bool secured = data::securing::isSecured(db);
        QStringList report;
        const QList<data::upgrade::Applied> applied = data::upgrade::run(
            db,
            secured ? data::securing::securingScripts(request.database)
                    : data::securing::asSchemaOwner(db, data::upgrade::builtInScripts()),
            [&](QSqlDatabase db) {
                if (secured)
                    report = data::securing::reportOf(db);
            });
        for (const data::upgrade::Applied& a : applied)
            out += QStringLiteral("  %1: выполнено команд: %2\n").arg(a.name).arg(a.statements);
        for (const QString& line : report)
            out += QStringLiteral("  - ") + line + u'\n';
        out += QStringLiteral("База данных обновлена. Клиенты на ней могут работать дальше.\n");
    } catch (const data::DbError& e) {
        QSqlDatabase::removeDatabase(name);
        err = unchangedDatabaseText(
            QStringLiteral("База данных не обновлена, в ней ничего не изменилось:"), e);
        return 1;
    }
    QSqlDatabase::removeDatabase(name);
    return 0;
}

}  // namespace command_line
