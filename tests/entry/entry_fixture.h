#pragma once

#include "../support/test_database.h"
#include "entry/entry_statements.h"

#include <QDate>

// A small plant for the entry editor: workers 17 and 18, product 31 ("М-31"), welding
// (operation 240, base price 12.5, finished goods) and painting (operation 241, base price 10,
// blanks); the workstation's clock shows 07.11.2022 and the journal stands on shift 2.
namespace entrytest {

inline const QDate kNov5(2022, 11, 5);
inline const QDate kNov6(2022, 11, 6);
inline const QDate kToday(2022, 11, 7);
inline const QString kWelding = QStringLiteral("М-31; Сварка; Готовая продукция");
inline const QString kPainting = QStringLiteral("М-31; Покраска; Заготовки");

// The worked example as the save receives it: worker 17, operation 240 of product 31, 120 pieces,
// 2 defective, 8 hours, no colour, 05.11.2022, shift 2, final price 12.5, saved on 07.11.2022.
entry::EntryValues workedExample();

class EntryTest : public testdb::AppTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The worked example typed into the editor in add mode: worker 17, welding of product 31,
    // 120 pieces, 2 defective, 8 hours, no colour, 05.11.2022, final price 12.5.
    void fillWorkedExample();
    // Loads the journal of shift 2 for a date, as the journal window would show it.
    static void showJournal(const QDate& day);
    // "Запись" as the user presses it: errors go to the error display.
    static void pressSave();

    static qint64 entryCount();
    // The day cells of worker 17 in shift 2, November 2022, one list per timesheet row.
    static QList<QVariantList> cells(const QString& columns);
};

}  // namespace entrytest
