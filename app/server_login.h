#pragma once

#include <QString>
#include <functional>
#include <optional>

// The server administrator's login for the commands that change a plant's database
// (--secure-database, and --upgrade-database when PGUSER is set), taken as psql takes it: the role
// from PGUSER, the password from PGPASSWORD, else from the password file (PGPASSFILE or
// ~/.pgpass), else asked on the terminal.
namespace command_line {

struct ServerLogin {
    QString user;
    QString password;  // empty: none found and none asked
};

// Asks for a password on the terminal with the given prompt, without echo; nothing when there is
// no terminal. Tests replace it.
using PasswordPrompt = std::function<std::optional<QString>(const QString& prompt)>;
PasswordPrompt terminalPrompt();

// The login from the environment for database on server; nullopt when PGUSER is not set.
std::optional<ServerLogin> serverLoginFromEnvironment(const QString& database,
                                                      const QString& server,
                                                      const PasswordPrompt& ask);

// The password for user on server:5432/database in a password file's text (lines
// host:port:database:user:password, "*" matching anything, "\" escaping ":" and "\"), or
// nullopt.
std::optional<QString> passwordFileEntry(const QString& fileText, const QString& server,
                                         const QString& database, const QString& user);

// The client's connection string for database on server with this login in place of the
// built-in one (the password brace-quoted for ODBC, "}" doubled).
QString connectionStringAs(const QString& database, const QString& server,
                           const ServerLogin& login);

}  // namespace command_line
