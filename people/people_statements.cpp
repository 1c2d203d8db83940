#include "people/people_statements.h"

namespace people::statements {

QString secured() {
    return QStringLiteral(
        "select exists(select 1 from pg_namespace n join pg_roles r on r.oid = n.nspowner where "
        "n.nspname = 'accounts_dep' and r.rolname = current_database() || '_owner') as secured");
}

QString currentPerson() {
    return QStringLiteral(
        "select login, full_name, job, must_change_password from accounts_dep.current_person()");
}

QString changeOwnPassword() {
    return QStringLiteral("select accounts_dep.change_own_password(:password)");
}

QString listPeople() {
    return QStringLiteral("select login, full_name, job, enabled from accounts_dep.list_people()");
}

QString addPerson() {
    return QStringLiteral("select accounts_dep.add_person(:login, :full_name, :job, :password)");
}

QString setPersonJob() {
    return QStringLiteral("select accounts_dep.set_person_job(:login, :job)");
}

QString resetPersonPassword() {
    return QStringLiteral("select accounts_dep.reset_person_password(:login, :password)");
}

QString setPersonEnabled(bool enabled) {
    return enabled ? QStringLiteral("select accounts_dep.set_person_enabled(:login, true)")
                   : QStringLiteral("select accounts_dep.set_person_enabled(:login, false)");
}

}  // namespace people::statements
