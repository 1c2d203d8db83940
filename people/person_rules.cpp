#include "people/person_rules.h"

#include <QRegularExpression>

namespace people {

namespace {

QString braced(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + v + QLatin1Char('}');
}

// A key's value as the driver reads it: plain up to the next ';', or brace-quoted with "}}" inside.
QRegularExpression keyValue(const char* key) {
    return QRegularExpression(
        QStringLiteral("(^|;)%1=(\\{(?:[^}]|\\}\\})*\\}|[^;]*)").arg(QLatin1String(key)),
        QRegularExpression::CaseInsensitiveOption);
}

QString replaced(const QString& connectionString, const char* key, const QString& text) {
    QString s = connectionString;
    const QRegularExpressionMatch m = keyValue(key).match(s);
    if (!m.hasMatch())
        return s + QStringLiteral(";%1=%2").arg(QLatin1String(key), text);
    s.replace(m.capturedStart(2), m.capturedLength(2), text);
    return s;
}

}  // namespace

QStringList jobs() {
    return {QStringLiteral("foreman"), QStringLiteral("storekeeper"), QStringLiteral("reviewer"),
            QStringLiteral("administrator")};
}

std::optional<UserRole> roleForJob(const QString& job) {
    if (job == QLatin1String("foreman"))
        return UserRole::Foreman;
    if (job == QLatin1String("storekeeper"))
        return UserRole::Storekeeper;
    if (job == QLatin1String("reviewer"))
        return UserRole::Reviewer;
    if (job == QLatin1String("administrator"))
        return UserRole::Administrator;
    return std::nullopt;
}

QString jobText(const QString& job) {
    if (job == QLatin1String("foreman"))
        return QStringLiteral("Бригадир");
    if (job == QLatin1String("storekeeper"))
        return QStringLiteral("Кладовщик");
    if (job == QLatin1String("reviewer"))
        return QStringLiteral("Контролёр");
    if (job == QLatin1String("administrator"))
        return QStringLiteral("Администратор");
    return job;
}

bool isEnabled(const QVariant& flag) {
    // Booleans come as characters from the driver ("1"/"0"); as "true"/"false" or bool elsewhere.
    const QString t = flag.toString().trimmed().toLower();
    return t == QLatin1String("1") || t == QLatin1String("true") || t == QLatin1String("t");
}

QString enabledText(const QVariant& flag) {
    return isEnabled(flag) ? QStringLiteral("Вход разрешён") : QStringLiteral("Вход отключён");
}

std::optional<QString> passwordRefusal(const QString& password, const QString& repeated) {
    if (password.trimmed().isEmpty())
        return QStringLiteral("Введите новый пароль.");
    if (password != repeated)
        return QStringLiteral("Пароли не совпадают.");
    return std::nullopt;
}

QString journalCaption(const QString& fullName) {
    return QStringLiteral("Табель — ") + fullName;
}

bool isLoginName(const QString& login) {
    static const QRegularExpression plain(QStringLiteral("^[^;{}\\x00]+$"));
    return plain.match(login).hasMatch();
}

QString withLogin(const QString& connectionString, const QString& login, const QString& password) {
    return replaced(replaced(connectionString, "UID", login), "PWD", braced(password));
}

QString withPassword(const QString& connectionString, const QString& password) {
    return replaced(connectionString, "PWD", braced(password));
}

}  // namespace people
