#include "app/login_rules.h"

namespace login {

std::optional<UserRole> roleForWord(const QString& typed) {
    const QString w = typed.trimmed();
    if (w == QLatin1String("kestar"))
        return UserRole::Reviewer;
    if (w == QLatin1String(kForemanWord))
        return UserRole::Foreman;
    if (w == QLatin1String("hobym"))
        return UserRole::Storekeeper;
    if (w == QLatin1String("63517240") || w == QLatin1String("8453"))
        return UserRole::Administrator;
    return std::nullopt;
}

bool readsHistory(UserRole role) {
    return role == UserRole::Administrator || role == UserRole::Reviewer;
}

QString roleName(UserRole role) {
    switch (role) {
        case UserRole::Reviewer:
            return QStringLiteral("Reviewer");
        case UserRole::Foreman:
            return QStringLiteral("Foreman");
        case UserRole::Storekeeper:
            return QStringLiteral("Storekeeper");
        case UserRole::Administrator:
            break;
    }
    return QStringLiteral("Administrator");
}

bool refusesAcceptance(const QString& loginWord) {
    const std::optional<UserRole> role = roleForWord(loginWord);
    return role && refusesAcceptance(*role);
}

bool refusesAcceptance(UserRole role) {
    return role == UserRole::Foreman || role == UserRole::Reviewer;
}

}  // namespace login
