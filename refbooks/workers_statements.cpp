#include "refbooks/workers_statements.h"

#include "data/row_filter.h"
#include "data/sql_text.h"

namespace refbooks::workers {

using data::quotedLiteral;

QString nameFilter(const QString& typed) {
    return data::prefixFilter(QStringLiteral("fio"), typed);
}

QString insertWorker(const QString& fullName, const QString& department) {
    return QStringLiteral("INSERT INTO accounts_dep.person (fio, s_staffpos_hl)VALUES(") +
           quotedLiteral(fullName) + QStringLiteral(", ") + quotedLiteral(department) +
           QStringLiteral(")");
}

QString updateWorker(const QString& fullName, const QString& department, qint64 personId) {
    return QStringLiteral("UPDATE accounts_dep.person SET fio=") + quotedLiteral(fullName) +
           QStringLiteral(", s_staffpos_hl=") + quotedLiteral(department) +
           QStringLiteral(" where accounts_dep.person.id=") + QString::number(personId);
}

QString deleteWorker(qint64 id) {
    return QStringLiteral("delete from accounts_dep.person where id =") + QString::number(id);
}

QString positionsTable() {
    return QStringLiteral(
        "select id, id_department, s_code, s_caption, d_begin, d_end, s_description "
        "from hrms_staffpos.staffpos order by s_caption, id");
}

QString departmentTable() {
    return QStringLiteral(
        "select id, id_branch, s_code, s_caption, s_description, id_parent "
        "from cmn_department.department order by s_caption, id");
}

QString rolesTable() {
    return QStringLiteral(
        "select id, s_name, s_caption, d_begin, d_end, b_active "
        "from adm_role.roles order by s_caption, id");
}

}  // namespace refbooks::workers
