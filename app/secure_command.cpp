#include "app/secure_command.h"

#include "app/upgrade_command.h"

#include "data/connection.h"
#include "data/database_securing.h"
#include "data/db_error.h"
#include "data/scram_verifier.h"

namespace command_line {

namespace {
const QString kSecureOption = QStringLiteral("--secure-database");

QString usage() {
    return QStringLiteral(
        "Укажите базу и сервер: PGUSER=суперпользователь plant-client --secure-database БАЗА "
        "СЕРВЕР [--admin ВХОД]\n");
}

// The first administrator's password: from the environment, else typed twice.
std::optional<QString> adminPassword(const QString& login, const PasswordPrompt& ask,
                                     QString& err) {
    const QString given = qEnvironmentVariable(kAdminPasswordVariable);
    if (!given.isEmpty())
        return given;
    const auto first =
        ask ? ask(QStringLiteral("Пароль нового администратора %1: ").arg(login)) : std::nullopt;
    if (!first || first->trimmed().isEmpty()) {
        err = QStringLiteral("Пароль администратора %1 не задан: введите его или задайте %2\n")
                  .arg(login, QLatin1String(kAdminPasswordVariable));
        return std::nullopt;
    }
    const auto second = ask(QStringLiteral("Ещё раз: "));
    if (!second || *second != *first) {
        err = QStringLiteral("Пароли не совпадают; база не изменена\n");
        return std::nullopt;
    }
    return first;
}

}  // namespace

std::optional<SecureRequest> secureRequestIn(const QStringList& args) {
    if (args.size() < 2 || args[1] != kSecureOption)
        return std::nullopt;
    SecureRequest request;
    QStringList positional;
    for (qsizetype i = 2; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--admin")) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty() || args[i + 1].startsWith(u'-'))
                request.badArguments = true;
            else
                request.admin = args[++i];
        } else if (args[i].startsWith(QLatin1String("--"))) {
            request.badArguments = true;
        } else {
            positional << args[i];
        }
    }
    request.database = positional.value(0);
    request.server = positional.value(1);
    if (positional.size() > 2)
        request.badArguments = true;
    return request;
}

int runSecure(const SecureRequest& request, QString& out, QString& err, const PasswordPrompt& ask) {
    if (request.badArguments || request.database.isEmpty() || request.server.isEmpty()) {
        err = usage();
        return 2;
    }
    const auto login = serverLoginFromEnvironment(request.database, request.server, ask);
    if (!login) {
        err = QStringLiteral(
                  "Задайте в PGUSER суперпользователя сервера (пароль: PGPASSWORD, ~/.pgpass или "
                  "с терминала).\n") +
              usage();
        return 2;
    }
    QString verifier;
    if (!request.admin.isEmpty()) {
        const auto password = adminPassword(request.admin, ask, err);
        if (!password)
            return 2;
        verifier = data::scramVerifier(*password);
    }
    out = QStringLiteral("Защита базы данных %1 на сервере %2 (от имени %3)\n")
              .arg(request.database, request.server, login->user);
    const QString name = QStringLiteral("secure");
    try {
        data::Connection connection(name);
        connection.open(connectionStringAs(request.database, request.server, *login));
        QSqlDatabase db = QSqlDatabase::database(name, false);
        QStringList report;
        bool adminAdded = false;
        const QList<data::upgrade::Applied> applied = data::upgrade::run(
            db, data::securing::securingScripts(request.database), [&](QSqlDatabase db) {
                report = data::securing::reportOf(db);
                if (!request.admin.isEmpty())
                    adminAdded = data::securing::addAdministrator(
                        db, request.admin, QStringLiteral("Администратор"), verifier);
            });
        for (const data::upgrade::Applied& a : applied)
            out += QStringLiteral("  %1: выполнено команд: %2\n").arg(a.name).arg(a.statements);
        for (const QString& line : report)
            out += QStringLiteral("  - ") + line + u'\n';
        if (report.isEmpty())
            out += QStringLiteral("  - роли, владельцы и права уже были такими\n");
        if (!request.admin.isEmpty())
            out += adminAdded
                       ? QStringLiteral(
                             "  - создан администратор %1; при первом входе он "
                             "сменит пароль\n")
                             .arg(request.admin)
                       : QStringLiteral("  - администратор %1 уже был, его пароль не изменён\n")
                             .arg(request.admin);
        out += QStringLiteral(
            "База данных защищена. Входят в неё пользователи под своими именами; роли "
            "сервера сохраняет pg_dumpall --roles-only.\n");
    } catch (const data::DbError& e) {
        QSqlDatabase::removeDatabase(name);
        err = unchangedDatabaseText(
            QStringLiteral("База данных не защищена, в ней ничего не изменилось:"), e);
        return 1;
    }
    QSqlDatabase::removeDatabase(name);
    return 0;
}

}  // namespace command_line
