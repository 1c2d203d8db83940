#pragma once

#include "../support/journal_entries.h"
#include "../support/test_database.h"
#include "timesheet/timesheet_window.h"

#include <QComboBox>
#include <QDate>
#include <QSignalBlocker>
#include <QStringList>
#include <map>

// Small plant data for the timesheet tests, written on the checking connection.
namespace timesheet_fixture {

inline int addWorker(const QString& fio) {
    return testdb::scalar("insert into accounts_dep.person(fio) values ('" + fio +
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
inline void choose(TForm19* form, int month, int year) {
    form->ComboBox1->setCurrentIndex(month - 1);
    form->ComboBox2->setCurrentIndex(form->ComboBox2->findText(QString::number(year)));
}

}  // namespace timesheet_fixture
