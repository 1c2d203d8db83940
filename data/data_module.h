#pragma once

#include "data/command.h"
#include "data/connection.h"
#include "data/dataset.h"

#include <QDate>
#include <QObject>
#include <array>

namespace data {

// The database objects the windows share: the connection, the queries several windows display,
// the general-purpose commands and the scratch query. The application owns it.
class SharedData : public QObject {
    Q_OBJECT
public:
    explicit SharedData(QObject* parent = nullptr);

    Connection connection;
    // People log in to this database with logins of their own: until one has, the session is the
    // built-in login's, which may read nothing but the version stamp.
    bool personalLogins = false;

    // The reference books' queries (objectNames Workers, Izdel, Oper, Vid_oper).
    Dataset* workers;
    Dataset* products;
    Dataset* operations;
    Dataset* operationKinds;
    Dataset* scratch;  // for one-row answers (objectName Control)

    // The statements several windows run, by their statement names.
    Command entryDeletion{QStringLiteral("DelSmena")};
    Command timesheetInsert{QStringLiteral("H_Tabel_ins")};
    Command statement{QStringLiteral("SQL_exec")};  // any one-off write
    Command operationInsert{QStringLiteral("Oper_ins")};
    Command operationUpdate{QStringLiteral("Oper_ed")};
    Command operationDeletion{QStringLiteral("Oper_del")};

    // The journal query of a shift (Smena1..Smena4), shift 1's for any other value.
    Dataset* journalOf(int shift) const;
    // The timesheet query of shift 1..3 (H_Tabel_1..H_Tabel_3), shift 1's for any other value.
    Dataset* timesheetOf(int shift) const;

    // Runs a count statement whose result column is cnt and answers whether it counted any row
    // (the caller refuses with its own message). A refused statement throws.
    bool countsAnyRow(const QString& sql);

    // Runs a one-row statement on the scratch query and leaves it open on its answer.
    Dataset& runOneRow(const QString& sql);

    // Runs a statement on the scratch query, hands the open answer to `read` and closes it again,
    // also when reading throws.
    template <typename Read>
    auto readOneRow(const QString& sql, Read read) {
        const CloseAtScopeEnd closer(runOneRow(sql));
        return read(static_cast<const Dataset&>(*scratch));
    }

    // The cnt column of a count statement run on the scratch query.
    qint64 countOf(const QString& sql);

private:
    std::array<Dataset*, 4> journals_{};
    std::array<Dataset*, 3> timesheets_{};
};

}  // namespace data
