#pragma once

#include "data/command.h"
#include "data/connection.h"
#include "data/dataset.h"

#include <QObject>
#include <array>

// The one container of shared database objects: the connection, the shared queries that several
// windows display, the general-purpose commands, the scratch query Control and CheckDuplicate.
class TDataModule6 : public QObject {
    Q_OBJECT
public:
    explicit TDataModule6(QObject* parent = nullptr);

    data::Connection ADO_DB;

    data::Dataset* Workers;
    data::Dataset* Izdel;
    data::Dataset* Oper;
    data::Dataset* Vid_oper;
    data::Dataset* Smena1;
    data::Dataset* Smena2;
    data::Dataset* Smena3;
    data::Dataset* Smena4;
    data::Dataset* H_Tabel_1;
    data::Dataset* H_Tabel_2;
    data::Dataset* H_Tabel_3;
    data::Dataset* Control;  // scratch query for one-row answers

    data::Command DelSmena{QStringLiteral("DelSmena")};
    data::Command H_Tabel_ins{QStringLiteral("H_Tabel_ins")};
    data::Command SQL_exec{QStringLiteral("SQL_exec")};
    data::Command Oper_ins{QStringLiteral("Oper_ins")};
    data::Command Oper_ed{QStringLiteral("Oper_ed")};
    data::Command Oper_del{QStringLiteral("Oper_del")};

    // The journal query of a shift: Smena1..Smena4, Smena1 for any other value.
    data::Dataset* journalOf(int shift) const;
    // The timesheet query of shift 1..3.
    data::Dataset* timesheetOf(int shift) const;

    // Runs a count statement whose result column is cnt; above 0 shows message (caption
    // "Ошибка", stop icon) and answers true. A refused statement throws; nothing is shown.
    bool CheckDuplicate(const QString& sql, const QString& message);

    // Runs a one-row statement on Control and leaves Control open on its answer.
    data::Dataset& runControl(const QString& sql);

    // Runs a statement on Control, hands the open answer to `read` and closes Control again, also
    // when reading throws.
    template <typename Read>
    auto readControl(const QString& sql, Read read) {
        const data::CloseAtScopeEnd closer(runControl(sql));
        return read(static_cast<const data::Dataset&>(*Control));
    }

    // The cnt column of a count statement run on Control.
    qint64 controlCount(const QString& sql);
};

extern TDataModule6* DataModule6;
