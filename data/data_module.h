#pragma once

#include "data/command.h"
#include "data/connection.h"
#include "data/dataset.h"

#include <QObject>
#include <array>

namespace data {

// The database objects the windows share: the connection, the queries several windows display,
// the general-purpose commands and the scratch query Control. The application owns it.
class SharedData : public QObject {
    Q_OBJECT
public:
    explicit SharedData(QObject* parent = nullptr);

    Connection ADO_DB;

    Dataset* Workers;
    Dataset* Izdel;
    Dataset* Oper;
    Dataset* Vid_oper;
    Dataset* Smena1;
    Dataset* Smena2;
    Dataset* Smena3;
    Dataset* Smena4;
    Dataset* H_Tabel_1;
    Dataset* H_Tabel_2;
    Dataset* H_Tabel_3;
    Dataset* Control;  // scratch query for one-row answers

    Command DelSmena{QStringLiteral("DelSmena")};
    Command H_Tabel_ins{QStringLiteral("H_Tabel_ins")};
    Command SQL_exec{QStringLiteral("SQL_exec")};
    Command Oper_ins{QStringLiteral("Oper_ins")};
    Command Oper_ed{QStringLiteral("Oper_ed")};
    Command Oper_del{QStringLiteral("Oper_del")};

    // The journal query of a shift: Smena1..Smena4, Smena1 for any other value.
    Dataset* journalOf(int shift) const;
    // The timesheet query of shift 1..3.
    Dataset* timesheetOf(int shift) const;

    // Runs a count statement whose result column is cnt and answers whether it counted any row
    // (the caller refuses with its own message). A refused statement throws.
    bool CheckDuplicate(const QString& sql);

    // Runs a one-row statement on Control and leaves Control open on its answer.
    Dataset& runControl(const QString& sql);

    // Runs a statement on Control, hands the open answer to `read` and closes Control again, also
    // when reading throws.
    template <typename Read>
    auto readControl(const QString& sql, Read read) {
        const CloseAtScopeEnd closer(runControl(sql));
        return read(static_cast<const Dataset&>(*Control));
    }

    // The cnt column of a count statement run on Control.
    qint64 controlCount(const QString& sql);
};

}  // namespace data
