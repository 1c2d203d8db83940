#pragma once

#include "data/user_role.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// Rules of personal logins, free of widgets and of the database.
namespace people {

// The jobs as the server names them, in the order the windows offer them.
QStringList jobs();
// The role a job narrows the windows to; none for a job this client does not know.
std::optional<UserRole> roleForJob(const QString& job);
// The job's name on screen: "Бригадир", "Кладовщик", "Контролёр", "Администратор"; an unknown
// job as it is.
QString jobText(const QString& job);
// "Вход разрешён" / "Вход отключён" for the enabled flag as the driver reads it.
bool isEnabled(const QVariant& flag);
QString enabledText(const QVariant& flag);

// Why a new password typed twice is refused, or nothing when it is taken.
std::optional<QString> passwordRefusal(const QString& password, const QString& repeated);

// The journal window's caption once a person has logged in: it names the person.
QString journalCaption(const QString& fullName);

// Whether a typed login name can be a person's: not empty, and free of the characters that
// would change the connection string (";", "{", "}"): the PostgreSQL ODBC driver takes UID only
// as plain text (a brace-quoted UID reaches the server with its braces).
bool isLoginName(const QString& login);
// The connection string with the person's login in place of the built-in one: UID as it is (a
// login name, see isLoginName), PWD brace-quoted with "}" doubled, so any character of a password
// reaches the server as typed.
QString withLogin(const QString& connectionString, const QString& login, const QString& password);
// The same string with another password (the person changed it: a reconnect must use the new one).
QString withPassword(const QString& connectionString, const QString& password);

}  // namespace people
