#include "../support/message_log.h"
#include "timesheet_fixture.h"

#include "data/dataset.h"
#include "export/spreadsheet_bridge.h"
#include "timesheet/timesheet_print_layout.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QPushButton>

namespace {

using namespace timesheet_fixture;
using testdb::AppTest;
using testing_support::MessageLog;

// Cells of the saved workbook's first sheet, rows 1..rows: [value, bold, number format] each.
QJsonArray readWorkbook(const QString& path, int rows) {
    QProcess python;
    // The system's interpreter, which has openpyxl.
    python.start(QFile::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3",
                 {"-c",
                  "import json,sys,openpyxl\n"
                  "ws=openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                  "print(json.dumps([[[c.value,bool(c.font.b),c.number_format] for c in r] for r "
                  "in ws.iter_rows(min_row=1,max_row=int(sys.argv[2]),max_col=33)]))",
                  path, QString::number(rows)});
    python.waitForFinished(30000);
    const QByteArray out = python.readAllStandardOutput();
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(out).array();
}

TEST_F(AppTest, TimesheetExportWritesEveryDayOfEveryWorker) {
    const int a = addWorker("Андреев А.А.");
    const int b = addWorker("007 Борисов");
    addRow(a, 1, 2, 2023, {{5, 8}, {28, 7}});
    addRow(a, 4, 2, 2023, {{5, 3}});
    addRow(b, 3, 2, 2023, {{1, 10}});
    choose(Form19, 2, 2023);
    MessageLog log;
    Form19->Button2->click();
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
    EXPECT_EQ(Form19->Button2->text(), "Excel (2 из 2)");
    EXPECT_FALSE(Form15->H_Tabel->isOpen());

    const QJsonArray sheet = readWorkbook(TimesheetBridge().lastSavedPath(), 5);
    ASSERT_EQ(sheet.size(), 5);
    auto cell = [&](int row, int column) { return sheet[row - 1].toArray()[column - 1].toArray(); };
    EXPECT_EQ(cell(1, 1)[0].toString(), "Февраль 2023");
    EXPECT_TRUE(cell(1, 1)[1].toBool());
    EXPECT_EQ(cell(2, 1)[0].toString(), "Фамилия И.О.");
    for (int d = 1; d <= 31; ++d) {
        EXPECT_EQ(cell(2, d + 1)[0].toDouble(), d);
        EXPECT_TRUE(cell(2, d + 1)[1].toBool());
    }
    EXPECT_EQ(cell(2, 33)[0].toString(), "Итого");

    // "007 Борисов" sorts first; its name stays text.
    EXPECT_EQ(cell(3, 1)[0].toString(), "007 Борисов");
    EXPECT_EQ(cell(3, 1)[2].toString(), "@");
    EXPECT_FALSE(cell(3, 1)[1].toBool());
    EXPECT_EQ(cell(3, 2)[0].toDouble(), 10);
    EXPECT_EQ(cell(3, 33)[0].toDouble(), 10);
    EXPECT_EQ(cell(4, 1)[0].toString(), "Андреев А.А.");
    EXPECT_EQ(cell(4, 6)[0].toDouble(), 11);  // shift 1 and overtime of the 5th
    EXPECT_EQ(cell(4, 32)[0].toDouble(), 0);  // the 31st of February is written as 0
    EXPECT_TRUE(cell(4, 32)[0].isDouble());
    EXPECT_EQ(cell(4, 33)[0].toDouble(), 18);
    EXPECT_TRUE(cell(5, 1)[0].isNull());
}

TEST_F(AppTest, TimesheetExportOfAnEmptyMonthWritesTheTitles) {
    choose(Form19, 6, 2021);
    MessageLog log;
    Form19->Button2->click();
    EXPECT_EQ(Form19->Button2->text(), "Excel (0 из 0)");
    const QJsonArray sheet = readWorkbook(TimesheetBridge().lastSavedPath(), 3);
    ASSERT_EQ(sheet.size(), 3);
    EXPECT_EQ(sheet[0].toArray()[0].toArray()[0].toString(), "Июнь 2021");
    EXPECT_EQ(sheet[1].toArray()[32].toArray()[0].toString(), "Итого");
    EXPECT_TRUE(sheet[2].toArray()[0].toArray()[0].isNull());
}

}  // namespace
