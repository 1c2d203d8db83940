#include "../support/message_log.h"
#include "../support/report_items.h"
#include "timesheet_fixture.h"

#include "data/dataset.h"
#include "printing/preview.h"
#include "timesheet/timesheet_print_layout.h"

#include <QPushButton>
#include <optional>
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using namespace timesheet_fixture;
using testdb::AppTest;

printing::PreparedReport printMonth(int month, int year) {
    choose(&timesheetWindow(), month, year);
    std::optional<printing::PreparedReport> printed;
    printing::setPreviewHook([&](const printing::PreparedReport& r) { printed = r; });
    MessageLog log;
    control<QPushButton>(timesheetWindow(), "Button6")->click();
    printing::clearPreviewHook();
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
    EXPECT_FALSE(timesheetPrint().monthTotals().isOpen());
    return printed.value_or(printing::PreparedReport{});
}

void expectHeaderBand(const printing::PreparedReport& r, int page, const QString& label) {
    SCOPED_TRACE(page);
    const double top = 10.0;  // the header opens every page below the top margin
    EXPECT_NE(findItem(r, page, label, top), nullptr);
    const auto& lefts = timesheet::TimesheetPrintLayout::dayBoxLefts();
    for (int d = 1; d <= 31; ++d) {
        const printing::PreparedItem* box = findItem(r, page, QString::number(d), top);
        ASSERT_NE(box, nullptr) << d;
        EXPECT_NEAR(box->rectMm.left(), 10.0 + lefts[d - 1], 0.01) << d;
        EXPECT_NEAR(box->rectMm.width(), 5.3, 0.01) << d;
    }
    const printing::PreparedItem* total = findItem(r, page, "Итого", top);
    ASSERT_NE(total, nullptr);
    EXPECT_NEAR(total->rectMm.left(), 10.0 + 264.6, 0.01);
}

TEST_F(AppTest, TimesheetPrintAddsShiftsAndOvertimeOfADay) {
    const int a = addWorker("Андреев А.А.");
    const int b = addWorker("Борисов Б.Б.");
    addRow(a, 1, 3, 2022, {{5, 8}, {6, 7}});
    addRow(a, 4, 3, 2022, {{5, 3}});
    addRow(b, 2, 3, 2022, {{31, 10}});
    addRow(b, 1, 4, 2022, {{1, 9}});  // another month
    const printing::PreparedReport r = printMonth(3, 2022);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_EQ(r.orientation, printing::Orientation::Landscape);
    expectHeaderBand(r, 0, "Март 2022 г.");

    const double firstRow = 10.0 + 6.6;
    const auto& lefts = timesheet::TimesheetPrintLayout::dayBoxLefts();
    const printing::PreparedItem* day5 = findItem(r, 0, "11", firstRow);
    ASSERT_NE(day5, nullptr);
    EXPECT_NEAR(day5->rectMm.left(), 10.0 + lefts[4], 0.01);
    EXPECT_NE(findItem(r, 0, "Андреев А.А.", firstRow), nullptr);
    const printing::PreparedItem* total = findItem(r, 0, "18", firstRow);
    ASSERT_NE(total, nullptr);
    EXPECT_NEAR(total->rectMm.left(), 10.0 + 264.6, 0.01);
    EXPECT_NE(findItem(r, 0, "Борисов Б.Б.", firstRow + 6.3), nullptr);
    EXPECT_NE(findItem(r, 0, "10", firstRow + 6.3), nullptr);
    EXPECT_FALSE(r.texts(0).contains("Данные за:"));
    EXPECT_EQ(findItem(r, 0, "9", firstRow + 6.3), nullptr);  // April's hours stay out
}

TEST_F(AppTest, TimesheetPrintRepeatsTheHeaderOnEveryPage) {
    for (int i = 0; i < 40; ++i)
        addRow(addWorker(QString("Работник %1").arg(i, 2, 10, QChar('0'))), 1, 2, 2023, {{1, 8}});
    const printing::PreparedReport r = printMonth(2, 2023);
    ASSERT_EQ(r.pages.size(), 2u);
    expectHeaderBand(r, 0, "Февраль 2023 г.");  // February still has 31 boxes
    expectHeaderBand(r, 1, "Февраль 2023 г.");
    EXPECT_TRUE(r.texts(1).contains("Работник 39"));
    EXPECT_TRUE(r.texts(1).contains("2"));
}

TEST_F(AppTest, TimesheetPrintOfAnEmptyMonthShowsHeaderAndPageNumber) {
    const printing::PreparedReport r = printMonth(6, 2021);
    ASSERT_EQ(r.pages.size(), 1u);
    expectHeaderBand(r, 0, "Июнь 2021 г.");
    QStringList expected{"Июнь 2021 г."};
    for (int d = 1; d <= 31; ++d)
        expected << QString::number(d);
    expected << "Итого";
    QStringList texts = r.texts(0);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.takeLast(), "1");  // the page number
    EXPECT_EQ(texts, expected);
}

}  // namespace
