#include "refbooks/operation_kinds_statements.h"

#include "data/row_filter.h"
#include "data/sql_text.h"

namespace refbooks::kinds {

QString nameFilter(const QString& typed) {
    return data::prefixFilter(QStringLiteral("vid"), typed);
}

QString duplicateKindOnAdd(const QString& name) {
    return QStringLiteral("select count(*) as cnt from accounts_dep.vid_oper where upper(vid)=") +
           data::quotedLiteral(name.toUpper());
}

QString duplicateKindOnChange(const QString& name, qint64 ownId) {
    return duplicateKindOnAdd(name) + QStringLiteral(" and id<>") + QString::number(ownId);
}

}  // namespace refbooks::kinds
