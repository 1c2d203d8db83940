#include "app/server_login.h"

#include "data/connection.h"

#include <termios.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace command_line {

namespace {

QString environmentValue(const char* name) {
    return qEnvironmentVariable(name);
}

// The fields of a password file's line, "\" escaping the next character.
QStringList fieldsOf(const QString& line) {
    QStringList fields{QString()};
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == u'\\' && i + 1 < line.size())
            fields.last() += line.at(++i);
        else if (line.at(i) == u':' && fields.size() < 5)
            fields << QString();
        else
            fields.last() += line.at(i);
    }
    return fields;
}

bool matches(const QString& pattern, const QString& value) {
    return pattern == u'*' || pattern == value;
}

// An ODBC connection string value that may hold ';', '{' or '}'.
QString braced(const QString& value) {
    QString doubled = value;
    doubled.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return u'{' + doubled + u'}';
}

std::optional<QString> passwordFromFile(const QString& database, const QString& server,
                                        const QString& user) {
    const QString path = environmentValue("PGPASSFILE").isEmpty()
                             ? QDir::homePath() + QStringLiteral("/.pgpass")
                             : environmentValue("PGPASSFILE");
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    // As libpq: a file others may read is not used.
    if (file.permissions() & (QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                              QFileDevice::ReadOther | QFileDevice::WriteOther)) {
        std::fprintf(stderr,
                     "Файл паролей %s не используется: его могут читать другие (chmod 600)\n",
                     qPrintable(path));
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return passwordFileEntry(QString::fromUtf8(file.readAll()), server, database, user);
}

}  // namespace

std::optional<QString> passwordFileEntry(const QString& fileText, const QString& server,
                                         const QString& database, const QString& user) {
    for (const QString& line : fileText.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        const QStringList f = fieldsOf(trimmed);
        if (f.size() == 5 && matches(f[0], server) && matches(f[1], QStringLiteral("5432")) &&
            matches(f[2], database) && matches(f[3], user))
            return f[4];
    }
    return std::nullopt;
}

PasswordPrompt terminalPrompt() {
    return [](const QString& prompt) -> std::optional<QString> {
        FILE* tty = std::fopen("/dev/tty", "r+");
        if (!tty)
            return std::nullopt;
        std::fputs(prompt.toUtf8().constData(), tty);
        std::fflush(tty);
        termios saved{};
        const int fd = fileno(tty);
        const bool quiet = tcgetattr(fd, &saved) == 0;
        if (quiet) {
            termios silent = saved;
            silent.c_lflag &= ~tcflag_t(ECHO);
            tcsetattr(fd, TCSAFLUSH, &silent);
        }
        char buffer[1024] = {};
        const bool read = std::fgets(buffer, sizeof buffer, tty) != nullptr;
        if (quiet)
            tcsetattr(fd, TCSAFLUSH, &saved);
        std::fputs("\n", tty);
        std::fclose(tty);
        if (!read)
            return std::nullopt;
        QString answer = QString::fromUtf8(buffer);
        while (answer.endsWith(u'\n') || answer.endsWith(u'\r'))
            answer.chop(1);
        return answer;
    };
}

std::optional<ServerLogin> serverLoginFromEnvironment(const QString& database,
                                                      const QString& server,
                                                      const PasswordPrompt& ask) {
    const QString user = environmentValue("PGUSER");
    if (user.isEmpty())
        return std::nullopt;
    ServerLogin login{user, environmentValue("PGPASSWORD")};
    if (login.password.isEmpty())
        login.password = passwordFromFile(database, server, user).value_or(QString());
    if (login.password.isEmpty() && ask)
        login.password =
            ask(QStringLiteral("Пароль пользователя %1 на сервере %2: ").arg(user, server))
                .value_or(QString());
    return login;
}

QString connectionStringAs(const QString& database, const QString& server,
                           const ServerLogin& login) {
    QString s = data::composeConnectionString(database, server);
    const QString builtIn = QStringLiteral("UID=%1;PWD=%2;")
                                .arg(QString::fromLatin1(data::kBuiltInUser),
                                     QString::fromLatin1(data::kBuiltInPassword));
    // psqlODBC reads braces in the password only; a login name has no ';'.
    s.replace(builtIn, QStringLiteral("UID=%1;PWD=%2;").arg(login.user, braced(login.password)));
    return s;
}

}  // namespace command_line
