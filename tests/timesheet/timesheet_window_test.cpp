#include "../support/message_log.h"
#include "../support/widget_driving.h"
#include "timesheet_fixture.h"

#include "app/journal_window.h"
#include "data/data_module.h"
#include "data/dataset_model.h"
#include "ui/clock.h"
#include "ui/colors.h"
#include "ui/modal.h"

#include <QAction>
#include <QBrush>
#include <QDateEdit>
#include <QFont>
#include <QHeaderView>
#include <QProxyStyle>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QTest>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using namespace timesheet_fixture;
using testdb::AppTest;

// The day columns show the fields d1 ... d31.
QString dayField(int day) {
    return "d" + QString::number(day);
}

QColor headerColor(int page, int day) {
    return shiftModel(page)
        ->headerData(views::columnOf(shiftModel(page), dayField(day)), Qt::Horizontal,
                     Qt::ForegroundRole)
        .value<QBrush>()
        .color();
}

TEST_F(AppTest, TimesheetMonthChangeColoursWeekendsAndClosesDaysPastTheEnd) {
    choose(&timesheetWindow(), 3, 2022);
    for (int page = 0; page < 3; ++page)
        for (int d : {5, 6, 12, 13})
            EXPECT_EQ(headerColor(page, d), ui::color(ui::kRed)) << page << " " << d;
    EXPECT_EQ(headerColor(0, 7), ui::color(ui::kSysWindowText));
    EXPECT_EQ(headerColor(0, 31), ui::color(ui::kSysWindowText));

    choose(&timesheetWindow(), 2, 2023);
    for (int d = 29; d <= 31; ++d) {
        EXPECT_TRUE(timesheetWindow().dayLooks()[d - 1].readOnly) << d;
        EXPECT_EQ(headerColor(1, d), ui::color(ui::kSilver)) << d;
    }
    EXPECT_FALSE(timesheetWindow().dayLooks()[27].readOnly);
    EXPECT_EQ(headerColor(0, 28), ui::color(ui::kSysWindowText));
}

TEST_F(AppTest, TimesheetChangingTheYearAloneRereadsAllThreeShifts) {
    const int a = addWorker("Андреев А.А.");
    const int b = addWorker("Борисов Б.Б.");
    for (int shift = 1; shift <= 3; ++shift) {
        addRow(a, shift, 3, 2022, {{1, 8}});
        addRow(b, shift, 3, 2023, {{1, 8}});
    }
    addRow(b, 4, 3, 2023, {{1, 3}});  // overtime has no page
    choose(&timesheetWindow(), 3, 2022);
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(columnTexts(shiftModel(page), "fio"), QStringList{"Андреев А.А."}) << page;

    timesheetYearList()->setCurrentIndex(timesheetYearList()->findText("2023"));
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(columnTexts(shiftModel(page), "fio"), QStringList{"Борисов Б.Б."}) << page;
    // 1 March 2023 is a Wednesday: the 4th and 5th are the first weekend.
    EXPECT_EQ(headerColor(2, 4), ui::color(ui::kRed));
    EXPECT_EQ(headerColor(2, 5), ui::color(ui::kRed));
    EXPECT_EQ(headerColor(2, 6), ui::color(ui::kSysWindowText));
}

TEST_F(AppTest, TimesheetGridPaintsCellsByTheirRules) {
    const int a = addWorker("Андреев А.А.");
    // March 2022: the 5th is a Saturday, the 7th a Monday.
    addRow(a, 1, 3, 2022, {{5, 8}, {7, 10}, {8, 7}});
    choose(&timesheetWindow(), 3, 2022);
    data::DatasetModel* m = shiftModel(0);
    ASSERT_EQ(m->rowCount(), 1);
    auto cell = [&](const QString& field) { return m->index(0, views::columnOf(m, field)); };
    auto fg = [&](int day) {
        return cell(dayField(day)).data(Qt::ForegroundRole).value<QBrush>().color();
    };
    auto bold = [&](const QString& field) {
        const QVariant f = cell(field).data(Qt::FontRole);
        return f.isValid() && f.value<QFont>().bold();
    };
    auto bg = [&](const QString& field) { return cell(field).data(Qt::BackgroundRole); };

    EXPECT_EQ(fg(5), ui::color(ui::kRed));
    EXPECT_TRUE(bold(dayField(5)));
    EXPECT_EQ(fg(7), ui::color(ui::kSysWindowText));
    EXPECT_TRUE(bold(dayField(7)));
    EXPECT_EQ(bg(dayField(7)).value<QBrush>().color(), ui::color(ui::kMoneyGreen));
    EXPECT_FALSE(bold(dayField(8)));
    EXPECT_EQ(fg(9), ui::color(ui::kSilver));  // 0 on a weekday
    EXPECT_EQ(fg(6), ui::color(ui::kRed));     // 0 on a Sunday
    EXPECT_FALSE(bg(dayField(6)).isValid());

    // The total is never recoloured: bold on pale lavender, 8 + 10 + 7.
    EXPECT_EQ(cell("summ").data().toInt(), 25);
    EXPECT_TRUE(bold("summ"));
    EXPECT_EQ(bg("summ").value<QBrush>().color(), ui::color(0x00FFE4E1));
    EXPECT_FALSE(cell("summ").data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(cell("fio").data(Qt::ForegroundRole).isValid());

    choose(&timesheetWindow(), 2, 2022);  // no row: nothing shown
    EXPECT_EQ(m->rowCount(), 0);
}

TEST_F(AppTest, TimesheetCurrentRowKeepsItsPaintingAndOnlyTheFocusedCellIsPlain) {
    const int a = addWorker("Андреев А.А.");
    // March 2022: the 5th is a Saturday, the 7th and 9th are weekdays.
    addRow(a, 1, 3, 2022, {{5, 8}, {7, 10}, {9, 11}});
    choose(&timesheetWindow(), 3, 2022);
    timesheetWindow().show();
    QTableView* grid = control<QTableView>(timesheetWindow(), "DBGrid1");
    grid->setCurrentIndex(cellOf(grid, 0, dayField(9)));  // the focused cell: the 9th
    ASSERT_TRUE(grid->selectionModel()->isRowSelected(0, {}));

    const QColor moneyGreen = ui::color(ui::kMoneyGreen);
    EXPECT_TRUE(showsColour(paintedCell(grid, cellOf(grid, 0, dayField(7))), moneyGreen));
    EXPECT_TRUE(showsColour(paintedCell(grid, cellOf(grid, 0, dayField(5))), ui::color(ui::kRed)));
    const QImage focused = paintedCell(grid, cellOf(grid, 0, dayField(9)));
    EXPECT_FALSE(showsColour(focused, moneyGreen));
    EXPECT_TRUE(
        showsColour(focused, grid->palette().color(QPalette::Active, QPalette::Highlight)) ||
        showsColour(focused, grid->palette().color(QPalette::Inactive, QPalette::Highlight)));
    timesheetWindow().hide();
}

TEST_F(AppTest, TimesheetEnterPressesOnlyTheFocusedButton) {
    const int a = addWorker("Андреев А.А.");
    addRow(a, 1, 3, 2022, {{1, 8}});  // no journal behind it: a rebuild would remove it
    choose(&timesheetWindow(), 3, 2022);
    timesheetWindow().show();
    for (QPushButton* b : timesheetWindow().findChildren<QPushButton*>())
        EXPECT_FALSE(b->isDefault()) << b->objectName().toStdString();
    QTest::keyClick(control<QTableView>(timesheetWindow(), "DBGrid1"), Qt::Key_Return);
    QTest::keyClick(timesheetMonthList(), Qt::Key_Return);
    QTest::keyClick(timesheetYearList(), Qt::Key_Enter);
    EXPECT_EQ(monthRows(3, 2022), QStringList{QString("1 %1: d1=8").arg(a)});

    QTest::keyClick(rebuildButton(),
                    Qt::Key_Return);  // "Перестроить" itself
    EXPECT_EQ(monthRows(3, 2022), QStringList{});
    timesheetWindow().hide();
}

TEST_F(AppTest, TimesheetOpensOnTheJournalMonthAndClosesItsQueriesAfter) {
    const int a = addWorker("Андреев А.А.");
    addRow(a, 2, 11, 2022, {{10, 8}});
    ui::setToday(QDate(2026, 12, 10));
    QString shown;
    int rowsOfShift2 = -1;
    ui::setModalHook([&](QWidget* w) {
        shown = w->objectName() + " " + timesheetMonthList()->currentText() + " " +
                timesheetYearList()->currentText();
        rowsOfShift2 = testdb::sharedData().timesheetOf(2)->recordCount();
        return int(QDialog::Rejected);
    });
    // Through the journal's menu item, with the journal's date.
    journalDate()->setDate(QDate(2022, 11, 10));
    QAction* menuItem = journalWindow().findChild<QAction*>("N11");
    ASSERT_NE(menuItem, nullptr);
    menuItem->trigger();
    EXPECT_EQ(shown, "Form19 Ноябрь 2022");
    EXPECT_EQ(rowsOfShift2, 1);
    EXPECT_FALSE(testdb::sharedData().timesheetOf(1)->isOpen());
    EXPECT_FALSE(testdb::sharedData().timesheetOf(2)->isOpen());
    EXPECT_FALSE(testdb::sharedData().timesheetOf(3)->isOpen());

    // The year list reaches the year after today; later or earlier dates take the nearest end.
    EXPECT_EQ(timesheetYearList()->itemText(timesheetYearList()->count() - 1), "2027");
    timesheetWindow().showForDate(QDate(2026, 12, 9));
    EXPECT_EQ(shown, "Form19 Декабрь 2026");
    timesheetWindow().showForDate(QDate(2031, 5, 1));
    EXPECT_EQ(shown, "Form19 Май 2027");
    timesheetWindow().showForDate(QDate(2001, 4, 1));
    EXPECT_EQ(shown, "Form19 Апрель 2007");
}

TEST_F(AppTest, TimesheetRefreshRereadsAndActivationResetsTheExportCaption) {
    const int a = addWorker("Андреев А.А.");
    choose(&timesheetWindow(), 3, 2022);
    EXPECT_EQ(shiftModel(0)->rowCount(), 0);
    addRow(a, 1, 3, 2022, {{1, 8}});
    timesheetRefreshButton()->click();
    EXPECT_EQ(shiftModel(0)->rowCount(), 1);

    timesheetExcelButton()->setText("Excel (3 из 7)");
    timesheetWindow().windowActivated();
    EXPECT_EQ(timesheetExcelButton()->text(), "Excel");
}

// The style keeps a drawn image of a title for every palette it is painted with: the coloured day
// titles must come with the same palettes every time the window is painted, or the client grows
// with every opening of the window.
TEST_F(AppTest, RepaintedDayTitlesComeWithTheSamePalettes) {
    class PaletteLog : public QProxyStyle {
    public:
        void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                         const QWidget* widget) const override {
            if (element == CE_HeaderSection)
                keys.insert(option->palette.cacheKey());
            QProxyStyle::drawControl(element, option, painter, widget);
        }
        mutable QSet<qint64> keys;
    };
    choose(&timesheetWindow(), 1, 2023);  // weekend titles in their own colour
    QHeaderView* titles = control<QTableView>(timesheetWindow(), "DBGrid1")->horizontalHeader();
    PaletteLog* log = new PaletteLog;
    titles->setStyle(log);
    timesheetWindow().show();
    QCoreApplication::processEvents();
    titles->viewport()->repaint();
    const qsizetype firstPaint = log->keys.size();
    for (int i = 0; i < 3; ++i)
        titles->viewport()->repaint();
    const qsizetype afterRepaints = log->keys.size();
    timesheetWindow().hide();
    titles->setStyle(nullptr);
    delete log;
    EXPECT_GT(firstPaint, 1);  // the weekends were painted in their colour
    EXPECT_EQ(afterRepaints, firstPaint);
}

}  // namespace
