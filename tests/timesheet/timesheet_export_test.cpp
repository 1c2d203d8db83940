#include "../support/message_log.h"
#include "../support/xlsx_readback.h"
#include "timesheet_fixture.h"

#include "data/dataset.h"
#include "export/spreadsheet_bridge.h"
#include "timesheet/timesheet_print_layout.h"

#include <QPushButton>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using namespace timesheet_fixture;
using testdb::AppTest;

TEST_F(AppTest, TimesheetExportWritesEveryDayOfEveryWorker) {
    const int a = addWorker("Андреев А.А.");
    const int b = addWorker("007 Борисов");
    addRow(a, 1, 2, 2023, {{5, 8}, {28, 7}});
    addRow(a, 4, 2, 2023, {{5, 3}});
    addRow(b, 3, 2, 2023, {{1, 10}});
    choose(&timesheetWindow(), 2, 2023);
    MessageLog log;
    timesheetExcelButton()->click();
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
    EXPECT_EQ(timesheetExcelButton()->text(), "Excel (2 из 2)");
    EXPECT_FALSE(timesheetPrint().monthTotals().isOpen());

    const xlsx_readback::Sheet sheet =
        xlsx_readback::readSheet(timesheetWindow().lastSavedWorkbook());
    ASSERT_EQ(sheet.maxRow(), 4);
    auto cell = [&](int row, int column) { return sheet.cell(row, column); };
    EXPECT_EQ(cell(1, 1).value.toString(), "Февраль 2023");
    EXPECT_TRUE(cell(1, 1).bold);
    EXPECT_EQ(cell(2, 1).value.toString(), "Фамилия И.О.");
    for (int d = 1; d <= 31; ++d) {
        EXPECT_EQ(cell(2, d + 1).value.toDouble(), d);
        EXPECT_TRUE(cell(2, d + 1).bold);
    }
    EXPECT_EQ(cell(2, 33).value.toString(), "Итого");

    // "007 Борисов" sorts first; its name stays text.
    EXPECT_EQ(cell(3, 1).value.toString(), "007 Борисов");
    EXPECT_EQ(cell(3, 1).numberFormat, "@");
    EXPECT_FALSE(cell(3, 1).bold);
    EXPECT_EQ(cell(3, 2).value.toDouble(), 10);
    EXPECT_EQ(cell(3, 33).value.toDouble(), 10);
    EXPECT_EQ(cell(4, 1).value.toString(), "Андреев А.А.");
    EXPECT_EQ(cell(4, 6).value.toDouble(), 11);  // shift 1 and overtime of the 5th
    EXPECT_EQ(cell(4, 32).value.toDouble(), 0);  // the 31st of February is written as 0
    EXPECT_EQ(cell(4, 32).value.typeId(), QMetaType::Double);
    EXPECT_EQ(cell(4, 33).value.toDouble(), 18);
    EXPECT_FALSE(cell(5, 1).value.isValid());

    // Fitted columns narrow as well as widen: a day column holds two digits, not a default width.
    for (int column = 2; column <= 32; ++column) {
        EXPECT_GE(sheet.columnWidth(column), 2.0) << column;
        EXPECT_LT(sheet.columnWidth(column), 6.0) << column;
    }
    EXPECT_GE(sheet.columnWidth(1), QString("Фамилия И.О.").size());
    EXPECT_GE(sheet.columnWidth(33), QString("Итого").size());
}

TEST_F(AppTest, TimesheetExportOfAnEmptyMonthWritesTheTitles) {
    choose(&timesheetWindow(), 6, 2021);
    MessageLog log;
    timesheetExcelButton()->click();
    EXPECT_EQ(timesheetExcelButton()->text(), "Excel (0 из 0)");
    const xlsx_readback::Sheet sheet =
        xlsx_readback::readSheet(timesheetWindow().lastSavedWorkbook());
    ASSERT_EQ(sheet.maxRow(), 2);
    EXPECT_EQ(sheet.cell(1, 1).value.toString(), "Июнь 2021");
    EXPECT_EQ(sheet.cell(2, 33).value.toString(), "Итого");
    EXPECT_FALSE(sheet.cell(3, 1).value.isValid());
}

}  // namespace
