#pragma once

#include <QDate>
#include <QObject>

namespace data {

// What the client writes, as the windows that show it know it.
enum class Subject {
    Journal,        // the entries of one date and shift
    Timesheet,      // the timesheet cells of one month
    MonthState,     // a month closed or reopened
    Worker,         // accounts_dep.person
    Product,        // a product (the goods register's row)
    OperationKind,  // accounts_dep.vid_oper
    Operation,      // accounts_dep.oper
    Norm,           // accounts_dep.norm
    Person,         // a person's login on a secured database (told without a key)
};

// One committed change: its subject and key. The journal is keyed by date and shift, the
// timesheet and the month's state by the month (day holds its first day), a row by its id
// (0 when it is not known, as for a new row of a dataset written elsewhere).
struct Change {
    Subject subject = Subject::Journal;
    qint64 id = 0;
    QDate day;
    int shift = 0;

    static Change journal(const QDate& date, int shift) {
        return {Subject::Journal, 0, date, shift};
    }
    static Change timesheet(int year, int month) {
        return {Subject::Timesheet, 0, QDate(year, month, 1), 0};
    }
    static Change monthState(int year, int month) {
        return {Subject::MonthState, 0, QDate(year, month, 1), 0};
    }
    static Change row(Subject subject, qint64 id) { return {subject, id, {}, 0}; }

    bool operator==(const Change&) const = default;
};

// Where committed changes are told; the windows showing a subject follow it. The data layer
// emits only after the outermost commit (data::announce), never for a rolled-back write.
class ChangeFeed : public QObject {
    Q_OBJECT
signals:
    void changed(const data::Change& change);
};

ChangeFeed& changes();

// Announces a change of whatever the caller writes. Inside a Transaction it is held until the
// outermost commit and told once however often it was announced; a rollback drops it. Outside
// one the write has committed by itself already, so it is told at once.
void announce(const Change& change);

}  // namespace data
