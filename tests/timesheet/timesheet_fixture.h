#pragma once

#include "../support/app_windows.h"
#include "../support/journal_entries.h"
#include "../support/test_database.h"
#include "data/dataset_model.h"
#include "timesheet/timesheet_window.h"

#include <QComboBox>
#include <QDate>
#include <QSignalBlocker>
#include <QStringList>
#include <QTableView>
#include <map>

// Small plant data for the timesheet tests, written on the checking connection.
namespace timesheet_fixture {

inline int addWorker(const QString& fullName) {
    return testdb::scalar("insert into accounts_dep.person(fio) values ('" + fullName +
                          "') returning id")
        .toInt();
}

inline void addEntry(const QDate& date, int shift, int worker, int hours) {
    testdb::addJournalEntry(
        {.date = date, .shift = shift, .worker = worker, .hours = hours, .ok = "нет"});
}

inline void addRow(int worker, int shift, int month, int year, const std::map<int, int>& days) {
    QString columns = "w_id, smena, month, year";
    QString values = QString("%1, %2, %3, %4").arg(worker).arg(shift).arg(month).arg(year);
    for (const auto& [day, hours] : days) {
        columns += ", d" + QString::number(day);
        values += ", " + QString::number(hours);
    }
    testdb::exec("insert into accounts_dep.h_tabel(" + columns + ") values (" + values + ")");
}

struct TwoWorkers {
    int first;
    int second;
};

// March 2022 whose timesheet disagrees with its journal (one entry each on the 3rd and the 20th,
// stale cells in shifts 1 and 2): a rebuild has rows to delete and cells to write.
inline TwoWorkers addMarchToRebuild() {
    const int a = addWorker("Андреев А.А.");
    const int b = addWorker("Борисов Б.Б.");
    addEntry(QDate(2022, 3, 3), 1, a, 8);
    addEntry(QDate(2022, 3, 20), 1, b, 8);
    addRow(a, 1, 3, 2022, {{3, 4}, {4, 6}});
    addRow(b, 2, 3, 2022, {{1, 8}});
    return {a, b};
}

// Every row of a month as "shift worker: day=value ..." for the days that are not 0, in order.
inline QStringList monthRows(int month, int year) {
    QString days;
    for (int d = 1; d <= 31; ++d)
        days += QString(", d%1").arg(d);
    QStringList out;
    for (const QVariantList& r :
         testdb::rows(QString("select smena, w_id%1 from accounts_dep.h_tabel where month=%2 and "
                              "year=%3 order by smena, w_id, id")
                          .arg(days)
                          .arg(month)
                          .arg(year))) {
        QString line = r[0].toString() + " " + r[1].toString() + ":";
        for (int d = 1; d <= 31; ++d)
            if (r[d + 1].toInt() != 0)
                line += QString(" d%1=%2").arg(d).arg(r[d + 1].toInt());
        out << line;
    }
    return out;
}

// Chooses a month and year in the window as a user would, one list after the other.
inline void choose(timesheet::TimesheetWindow* form, int month, int year) {
    using testing_support::control;
    control<QComboBox>(*form, "ComboBox1")->setCurrentIndex(month - 1);
    auto* years = control<QComboBox>(*form, "ComboBox2");
    years->setCurrentIndex(years->findText(QString::number(year)));
}

// The data link of a shift's page (0..2) of the timesheet window.
inline data::DatasetModel* shiftModel(int page) {
    const QString grid = QStringLiteral("DBGrid") + QString::number(page + 1);
    return static_cast<data::DatasetModel*>(
        testing_support::control<QTableView>(testing_support::timesheetWindow(),
                                             grid.toLatin1().constData())
            ->model());
}

}  // namespace timesheet_fixture
