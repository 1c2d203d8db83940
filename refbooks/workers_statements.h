#pragma once

#include <QString>

// Statement and filter texts of the workers list and the worker editor. User text is spliced
// only with its apostrophes doubled, so a name like О'Брайен is stored as typed.
namespace refbooks::workers {

// Incremental search on the fetched rows: the typed text is the literal name prefix; no text, no
// filter.
QString nameFilter(const QString& typed);

// Characters the worker's name column takes (accounts_dep.person.fio).
constexpr int kNameLength = 254;

QString insertWorker(const QString& fullName, const QString& department);
QString updateWorker(const QString& fullName, const QString& department, qint64 personId);
QString deleteWorker(qint64 id);

// The lookup lists of the editor, read whole.
QString positionsTable();
QString departmentTable();
QString rolesTable();

}  // namespace refbooks::workers
