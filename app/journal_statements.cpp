#include "app/journal_statements.h"

namespace journal::statements {

QString updateMark() {
    return QStringLiteral("update accounts_dep.smena set ok=:ok where id=:id");
}

QString deleteEntry(qint64 id) {
    return QStringLiteral("delete from accounts_dep.smena where id=") + QString::number(id);
}

QString readVersion() {
    return QStringLiteral("select d, t, delim from accounts_dep.ver");
}

QString insertVersion() {
    return QStringLiteral("insert into accounts_dep.ver(d, t) values(:d, :t)");
}

QString raiseVersion() {
    // d and t change together, and only where the record is older than the program.
    return QStringLiteral(
        "update accounts_dep.ver set d=:d, t=:t where coalesce(d, 0)<:d or (coalesce(d, 0)=:d and "
        "coalesce(t, 0)<:t)");
}

}  // namespace journal::statements
