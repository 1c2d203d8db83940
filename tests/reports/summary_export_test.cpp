// The production summary written to a workbook and read back as a spreadsheet sees it.
#include "report_fixture.h"

#include "../support/xlsx_readback.h"
#include "data/dataset.h"
#include "export/spreadsheet_bridge.h"
#include "reports/report_statements.h"
#include "reports/report_window.h"
#include "reports/summary_export.h"

#include <QPushButton>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using reports_test::ReportTest;
using xlsx_readback::readSheet;

class SummaryExportTest : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        worker(1, "Иванов И.И.");
        product(10, "М-10", "Ящик", 0.25);
        operationKind(1, "Сборка");
        operationKind(2, "Покраска");
        operation(100, 1, 0, 10);
        operation(101, 2, 1, 10);
        entry({2022, 11, 2}, 1, 10, 100, 12, 2, 1);       // 10 good: mass 2,5
        entry({2022, 11, 3}, 1, 10, 101, 4, 0, 1, 9005);  // blanks, colour 9005
        entry({2022, 11, 4}, 1, 10, 101, 2, 0, 1, 1);     // blanks, primer
        entry({2022, 12, 1}, 1, 10, 100, 50, 0, 1);       // after the period
        choose({2022, 11, 1}, {2022, 12, 1});
    }

    // Rows 2.. of the written sheet as "nom|operation|kind|mass|kolvo", sorted (the query orders
    // by name only).
    static QStringList writtenRows(const xlsx_readback::Sheet& sheet) {
        QStringList rows;
        for (int r = 2; r <= sheet.maxRow(); ++r) {
            QStringList cells;
            for (int c = 1; c <= 5; ++c)
                cells << sheet.cell(r, c).value.toString();
            rows << cells.join('|');
        }
        rows.sort();
        return rows;
    }
};

TEST_F(SummaryExportTest, WritesHeaderAndOneLinePerGroup) {
    reportWindow().exportSummary();
    EXPECT_EQ(messages.count(), 0) << messages.texts().join('|').toStdString();
    const auto sheet = readSheet(reportWindow().lastSavedWorkbook());
    const QStringList header{"Наименование", "Операция", "Вид продукции", "Коробки", "Кол-во"};
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(sheet.cell(1, c).value.toString(), header[c - 1]);
    EXPECT_EQ(writtenRows(sheet), (QStringList{
                                      "Ящик|Покраска (грунт)|Заготовки|0.5|2",
                                      "Ящик|Покраска (цвет: 9005)|Заготовки|1|4",
                                      "Ящик|Сборка|Готовая продукция|2.5|10",
                                  }));
    EXPECT_EQ(summaryButton()->text(), "Excel (3 из 3)");
    EXPECT_FALSE(reportWindow().summaryQuery().isOpen());

    // Every column fits its widest text, short ones included, and is not much wider.
    for (int c = 1; c <= 5; ++c) {
        qsizetype widest = 0;
        for (int r = 1; r <= sheet.maxRow(); ++r)
            widest = std::max(widest, sheet.cell(r, c).value.toString().size());
        EXPECT_GE(sheet.columnWidth(c), widest) << c;
        EXPECT_LE(sheet.columnWidth(c), widest * 1.5 + 2) << c;
    }
}

TEST_F(SummaryExportTest, BlanksLimitRowsAndTheCount) {
    choose({2022, 11, 1}, {2022, 12, 1}, reports::ProductKindChoice::Blanks);
    reportWindow().exportSummary();
    const auto sheet = readSheet(reportWindow().lastSavedWorkbook());
    EXPECT_EQ(writtenRows(sheet), (QStringList{
                                      "Ящик|Покраска (грунт)|Заготовки|0.5|2",
                                      "Ящик|Покраска (цвет: 9005)|Заготовки|1|4",
                                  }));
    EXPECT_EQ(summaryButton()->text(), "Excel (2 из 2)");
}

TEST_F(SummaryExportTest, EmptyPeriodWritesTheHeaderOnly) {
    summaryButton()->setText("-");
    choose({2023, 1, 1}, {2023, 2, 1});
    reportWindow().exportSummary();
    const auto sheet = readSheet(reportWindow().lastSavedWorkbook());
    EXPECT_EQ(sheet.maxRow(), 1);
    EXPECT_EQ(sheet.cell(1, 5).value.toString(), "Кол-во");
    EXPECT_EQ(summaryButton()->text(), "Excel (0 из 0)");
}

TEST_F(SummaryExportTest, ProgressCountsEveryRowAgainstTheTotal) {
    data::Dataset rows;
    rows.setSql(reports::productionSummarySql());
    rows.setParam("data1", QDate(2022, 11, 1));
    rows.setParam("data2", QDate(2022, 12, 1));
    rows.open();
    QStringList steps;
    SpreadsheetBridge bridge(QStringLiteral("Отчет"));
    EXPECT_FALSE(reports::writeProductionSummary(rows, bridge, [&](int k, int n) {
                     steps << QStringLiteral("%1/%2").arg(k).arg(n);
                 }).isEmpty());
    EXPECT_EQ(steps, (QStringList{"0/3", "1/3", "2/3", "3/3"}));
}

}  // namespace
