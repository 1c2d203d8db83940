#include "../support/journal_entries.h"
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "app/journal_window.h"
#include "data/data_module.h"
#include "data/dataset_model.h"
#include "entry/entry_editor.h"
#include "reports/report_window.h"
#include "ui/clock.h"
#include "ui/colors.h"
#include "ui/modal.h"
#include "ui/wait_cursor.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QFont>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTest>
#include <QThread>
#include <QTimer>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

const QDate kSaturday(2022, 11, 5);
const QDate kMonday(2022, 11, 7);
const QDate kTuesday(2022, 11, 8);

// Workers 1..3 (Антонов, Борисов, Волков: the journal lists them in that order), one product,
// one operation.
class Journal : public testdb::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        testdb::addOneOperationPlant({"Антонов А.А.", "Борисов Б.Б.", "Волков В.В."});
        journalWindow().logIn("8453");
        dayOffCheck()->setChecked(false);
        shiftButton(1)->click();
        ui::setToday(kTuesday);
    }

    // An entry of product 1, operation 1: 10 pieces at 1.5; ok null when the mark is null.
    static int addEntry(int w, int shift, const QDate& day, int hours, const QString& ok = "no") {
        return testdb::addJournalEntry({.date = day,
                                        .shift = shift,
                                        .worker = w,
                                        .product = 1,
                                        .operation = 1,
                                        .quantity = 10,
                                        .defects = 0,
                                        .price = 1.5,
                                        .hours = hours,
                                        .ok = ok.isNull() ? std::nullopt : std::optional(ok)});
    }

    // The grid's "ok" column, top to bottom.
    static QStringList marks() { return testing_support::columnTexts(journalGrid(), "ok"); }

    static QString markInDb(int id) {
        return testdb::scalar(
                   QStringLiteral("select ok from accounts_dep.smena where id=%1").arg(id))
            .toString();
    }

    static void showDate(const QDate& day) {
        journalDate()->setDate(day);
        journalWindow().dateChosen();
    }
};

TEST_F(Journal, ActivationLoadsTodayAndTicksTheBoxOnlyOnWeekends) {
    addEntry(1, 1, kSaturday, 8);
    addEntry(1, 1, kTuesday, 8);
    addEntry(2, 1, kTuesday, 8);
    const struct {
        QDate today;
        bool ticked, after;
        int rows;
    } cases[] = {
        {kTuesday, false, false, 2},
        {kTuesday, true, true, 2},
        {kSaturday, false, true, 1},
        {kMonday, false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.today.toString().toStdString());
        ui::setToday(c.today);
        journalDate()->setDate(QDate(2020, 1, 1));
        dayOffCheck()->setChecked(c.ticked);
        journalWindow().windowActivated();
        EXPECT_EQ(journalDate()->date(), c.today);
        EXPECT_EQ(dayOffCheck()->isChecked(), c.after);
        EXPECT_EQ(journalGrid()->model()->rowCount(), c.rows);
    }
}

TEST_F(Journal, ActivationComesOnlyFromAnotherWindowOfTheClient) {
    const QDate old(2020, 1, 1);
    journalWindow().show();
    entryEditor().show();
    QApplication::setActiveWindow(&entryEditor());

    journalDate()->setDate(old);
    QApplication::setActiveWindow(&journalWindow());  // back from the entry editor
    EXPECT_EQ(journalDate()->date(), kTuesday);

    journalDate()->setDate(old);
    QApplication::setActiveWindow(nullptr);  // to a mail program and back
    QApplication::setActiveWindow(&journalWindow());
    EXPECT_EQ(journalDate()->date(), old);

    entryEditor().hide();
    journalWindow().hide();
}

// A real message box, closed as soon as it is the active window; inspect runs while it waits.
void answerRealBox(const std::function<void()>& inspect) {
    std::function<void()> closeWhenShown;
    closeWhenShown = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeWindow());
        if (!box) {
            QTimer::singleShot(10, closeWhenShown);
            return;
        }
        inspect();
        box->accept();
    };
    QTimer::singleShot(0, closeWhenShown);
    ui::showMessage({"Обрыв связи", "Ошибка", ui::Icon::Stop, ui::Buttons::Ok});
}

TEST_F(Journal, AMessageBoxWaitsWithTheNormalCursorAndItsClosingIsNoActivation) {
    journalWindow().show();
    QApplication::setActiveWindow(&journalWindow());
    journalDate()->setDate(kMonday);
    {
        const ui::WaitCursor wait;
        Qt::CursorShape whileShown = Qt::WaitCursor;
        answerRealBox([&] { whileShown = QGuiApplication::overrideCursor()->shape(); });
        EXPECT_EQ(whileShown, Qt::ArrowCursor);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QThread::msleep(400);  // the handler that showed the box takes its time
    }
    QApplication::setActiveWindow(&journalWindow());
    EXPECT_EQ(journalDate()->date(), kMonday);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    journalWindow().hide();
}

TEST_F(Journal, DateChangeReloadsAndSetsTheBoxBothWays) {
    addEntry(1, 1, kSaturday, 8);
    showDate(kSaturday);
    EXPECT_TRUE(dayOffCheck()->isChecked());
    EXPECT_EQ(dayOffCheck()->palette().color(QPalette::Window), ui::color(ui::kRed));
    EXPECT_TRUE(dayOffCheck()->font().bold());
    EXPECT_EQ(journalGrid()->model()->rowCount(), 1);

    showDate(kMonday);
    EXPECT_FALSE(dayOffCheck()->isChecked());
    EXPECT_FALSE(dayOffCheck()->font().bold());
    EXPECT_EQ(journalGrid()->model()->rowCount(), 0);
}

TEST_F(Journal, CalendarClosingOrEnterChoosesTheDate) {
    addEntry(1, 1, kSaturday, 8);
    journalWindow().windowActivated();
    journalDate()->setDate(kSaturday);  // typing alone reloads nothing
    EXPECT_EQ(journalGrid()->model()->rowCount(), 0);

    QWidget* popup = journalDate()->calendarWidget()->window();
    popup->show();
    popup->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(journalGrid()->model()->rowCount(), 1);
    EXPECT_TRUE(dayOffCheck()->isChecked());

    journalDate()->setDate(kMonday);
    QTest::keyClick(journalDate(), Qt::Key_Return);
    EXPECT_EQ(journalGrid()->model()->rowCount(), 0);
    EXPECT_FALSE(dayOffCheck()->isChecked());
}

TEST_F(Journal, MarksArePaintedAndTakenOrNullNeverListed) {
    addEntry(1, 1, kTuesday, 1, "OK");
    addEntry(2, 1, kTuesday, 1, "ok");
    addEntry(3, 1, kTuesday, 1, "да");
    addEntry(3, 1, kTuesday, 2, "ta");
    addEntry(3, 1, kTuesday, 3, QString());
    journalWindow().windowActivated();
    ASSERT_EQ(marks(), (QStringList{"OK", "ok", "да"}));
    QTableView* grid = journalGrid();
    const QColor expected[] = {ui::color(ui::kRed), ui::color(ui::kGreen), ui::color(ui::kGreen)};
    for (int r = 0; r < 3; ++r) {
        const QModelIndex cell = cellOf(grid, r, "ok");
        EXPECT_EQ(cell.data(Qt::ForegroundRole).value<QColor>(), expected[r]) << r;
        EXPECT_TRUE(cell.data(Qt::FontRole).value<QFont>().bold());
        EXPECT_FALSE(cellOf(grid, r, "fio").data(Qt::ForegroundRole).isValid());
    }
    EXPECT_TRUE(grid->isColumnHidden(views::columnOf(grid, "prize")));  // "Премия (%)"
    EXPECT_EQ(grid->model()->headerData(views::columnOf(grid, "fio"), Qt::Horizontal).toString(),
              "Фамилия И.О.");
    for (const char* number : {"time", "kol_vo", "brak", "summa"})
        EXPECT_EQ(cellOf(grid, 0, number).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                  Qt::AlignRight | Qt::AlignVCenter)
            << number;
}

TEST_F(Journal, TheToggledMarkKeepsItsColourOnTheSelectedRow) {
    addEntry(1, 1, kTuesday, 1, "no");
    addEntry(2, 1, kTuesday, 1, "no");
    journalWindow().windowActivated();
    journalWindow().resize(1300, 600);
    journalWindow().show();
    QTableView* grid = journalGrid();
    testdb::sharedData().journalOf(1)->setRecNo(2);
    journalWindow().toggleAcceptance();
    ASSERT_EQ(marks(), (QStringList{"no", "ok"}));
    ASSERT_EQ(grid->currentIndex().row(), 1);
    using testing_support::paintedCell;
    using testing_support::showsColour;
    EXPECT_TRUE(showsColour(paintedCell(grid, cellOf(grid, 1, "ok")), ui::color(ui::kGreen)));
    EXPECT_TRUE(showsColour(paintedCell(grid, cellOf(grid, 0, "ok")), ui::color(ui::kRed)));
    // The rest of the row shows the selection.
    const QImage name = paintedCell(grid, cellOf(grid, 1, "fio"));
    EXPECT_TRUE(showsColour(name, grid->palette().color(QPalette::Active, QPalette::Highlight)) ||
                showsColour(name, grid->palette().color(QPalette::Inactive, QPalette::Highlight)));
    journalWindow().toggleAcceptance();
    EXPECT_TRUE(showsColour(paintedCell(grid, cellOf(grid, 1, "ok")), ui::color(ui::kRed)));
    journalWindow().hide();
}

TEST_F(Journal, ShiftChoiceSwitchesTheLinkWithoutReload) {
    addEntry(1, 2, kTuesday, 8);
    journalWindow().windowActivated();
    addEntry(2, 2, kTuesday, 8);  // another workstation, after the load

    shiftButton(2)->click();
    EXPECT_EQ(journalWindow().currentShift(), 2);
    EXPECT_EQ(journalGrid()->model(), control<data::DatasetModel>(journalWindow(), "DataSource2"));
    EXPECT_EQ(control<data::DatasetModel>(journalWindow(), "DataSource2")->dataset(),
              testdb::sharedData().journalOf(2));
    EXPECT_EQ(journalGrid()->model()->rowCount(), 1);
    EXPECT_TRUE(shiftButton(2)->font().bold());
    EXPECT_EQ(shiftButton(2)->palette().color(QPalette::Window), ui::color(ui::kGreen));
    // Its caption stays readable on the green.
    EXPECT_GT(shiftButton(2)->palette().color(QPalette::WindowText).lightness() -
                  ui::color(ui::kGreen).lightness(),
              128);
    EXPECT_FALSE(shiftButton(1)->font().bold());
    EXPECT_EQ(shiftButton(1)->palette().color(QPalette::Window), ui::color(ui::kSysButtonFace));

    journalRefreshButton()->click();  // "Обновить"
    EXPECT_EQ(journalGrid()->model()->rowCount(), 2);
    EXPECT_EQ(journalDate()->date(), kTuesday);

    shiftButton(4)->click();
    EXPECT_EQ(journalWindow().currentShift(), 4);
    EXPECT_EQ(journalGrid()->model(), control<data::DatasetModel>(journalWindow(), "DataSource4"));
    QTableView* grid = journalGrid();
    EXPECT_TRUE(grid->isColumnHidden(views::columnOf(grid, "prize")));
}

TEST_F(Journal, AcceptanceToggleCycleKeepsTheRow) {
    const int first = addEntry(1, 1, kTuesday, 1, "да");
    const int second = addEntry(2, 1, kTuesday, 1, "no");
    const int third = addEntry(3, 1, kTuesday, 1, "OK");
    journalWindow().windowActivated();
    data::Dataset* journal = testdb::sharedData().journalOf(1);

    journal->setRecNo(2);
    journalWindow().toggleAcceptance();
    EXPECT_EQ(markInDb(second), "ok");
    EXPECT_EQ(journal->recNo(), 2);
    EXPECT_EQ(journalWindow().currentJournal(), journal);
    journalWindow().toggleAcceptance();
    EXPECT_EQ(markInDb(second), "no");

    journal->setRecNo(1);
    journalWindow().toggleAcceptance();
    journal->setRecNo(3);
    journalWindow().toggleAcceptance();
    EXPECT_EQ(marks(), (QStringList{"no", "no", "ok"}));
    EXPECT_EQ(markInDb(first), "no");
    EXPECT_EQ(markInDb(third), "ok");
}

TEST_F(Journal, AcceptanceToggleRefusesForemanAndEmptyJournal) {
    const int id = addEntry(1, 1, kTuesday, 1, "no");
    journalWindow().windowActivated();
    journalWindow().logIn("brigado");
    journalWindow().toggleAcceptance();
    EXPECT_EQ(markInDb(id), "no");

    journalWindow().logIn("hobym");
    MessageLog log;
    shiftButton(3)->click();  // nothing in shift 3
    journalWindow().toggleAcceptance();
    journalDeleteButton()->click();
    EXPECT_EQ(log.count(), 0);
    EXPECT_EQ(markInDb(id), "no");
}

class Deletion : public Journal {
protected:
    void SetUp() override {
        Journal::SetUp();
        eight = addEntry(1, 1, kTuesday, 8);
        three = addEntry(1, 1, kTuesday, 3);
        testdb::exec(
            "insert into accounts_dep.h_tabel(w_id, smena, month, year, d7, d8) "
            "values (1, 1, 11, 2022, 7, 11)");
        journalWindow().windowActivated();
    }
    static QList<QVariantList> cells() {
        return testdb::rows("select d7, d8 from accounts_dep.h_tabel order by id");
    }
    static int entries() {
        return testdb::scalar("select count(*) from accounts_dep.smena").toInt();
    }
    // Selects the entry with this id in the shown journal.
    static void select(int id) { ASSERT_TRUE(testdb::sharedData().journalOf(1)->locate("id", id)); }

    int eight = 0, three = 0;
};

TEST_F(Deletion, OneOfTwoLeavesTheOtherHoursThenZero) {
    MessageLog log;
    select(eight);
    journalDeleteButton()->click();
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.messages()[0].text, "Удалить позицию из списка?");
    EXPECT_EQ(log.messages()[0].caption, "Удаление");
    EXPECT_EQ(log.messages()[0].icon, ui::Icon::Question);
    EXPECT_EQ(log.messages()[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(cells(), (QList<QVariantList>{{7, 3}}));
    EXPECT_EQ(journalGrid()->model()->rowCount(), 1);

    journalDeleteButton()->click();
    EXPECT_EQ(entries(), 0);
    EXPECT_EQ(cells(), (QList<QVariantList>{{7, 0}}));
    EXPECT_EQ(journalGrid()->model()->rowCount(), 0);
}

TEST_F(Deletion, AnswerNoChangesNothingButReloads) {
    addEntry(2, 1, kTuesday, 5);  // another workstation's entry shows after the reload
    MessageLog log;
    log.setDefaultQuestionAnswer(ui::Answer::No);
    journalDeleteButton()->click();
    EXPECT_EQ(entries(), 3);
    EXPECT_EQ(cells(), (QList<QVariantList>{{7, 11}}));
    EXPECT_EQ(journalGrid()->model()->rowCount(), 3);
}

TEST_F(Deletion, WorkerWithoutTimesheetRowGetsNone) {
    const int other = addEntry(2, 1, kTuesday, 5);
    journalRefreshButton()->click();
    MessageLog log;
    select(other);
    journalDeleteButton()->click();
    EXPECT_EQ(entries(), 2);
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.h_tabel").toInt(), 1);
}

TEST_F(Deletion, RecalculatesTheEntrysOwnDayNotTheTypedDate) {
    {
        const QSignalBlocker typedWithoutReload(journalDate());
        journalDate()->setDate(kMonday);
    }
    MessageLog log;
    select(eight);
    journalDeleteButton()->click();
    EXPECT_EQ(entries(), 1);
    EXPECT_EQ(cells(), (QList<QVariantList>{{7, 3}}));
}

TEST_F(Deletion, AnEntryAnotherWorkstationDeletedIsReportedAndNothingChanges) {
    select(eight);
    testdb::exec(QString("delete from accounts_dep.smena where id=%1").arg(eight));
    MessageLog log;
    journalDeleteButton()->click();
    ASSERT_EQ(log.count(), 2) << log.texts().join("|").toStdString();
    EXPECT_EQ(log.messages()[1].text, "Запись была удалена с другого рабочего места.");
    EXPECT_EQ(log.messages()[1].caption, "Ошибка");
    EXPECT_EQ(entries(), 1);
    EXPECT_EQ(cells(), (QList<QVariantList>{{7, 11}}));
    EXPECT_EQ(journalGrid()->model()->rowCount(), 1);
}

TEST_F(Deletion, FailingTimesheetStepKeepsTheEntry) {
    testdb::exec("alter table accounts_dep.h_tabel rename column d8 to d8_gone");
    MessageLog log;
    select(eight);
    journalDeleteButton()->click();
    testdb::exec("alter table accounts_dep.h_tabel rename column d8_gone to d8");
    ASSERT_EQ(log.count(), 2);
    EXPECT_EQ(log.messages()[1].caption, "Ошибка");
    EXPECT_TRUE(log.messages()[1].text.contains("d8")) << log.messages()[1].text.toStdString();
    EXPECT_EQ(entries(), 2);
    EXPECT_EQ(cells(), (QList<QVariantList>{{7, 11}}));
}

TEST_F(Journal, ReportsMenuProposesThePreviousMonth) {
    ui::setToday(QDate(2023, 1, 15));
    QDate from, to;
    ui::setModalHook([&](QWidget* w) {
        EXPECT_EQ(w, &reportWindow());
        from = control<QDateEdit>(reportWindow(), "DTPicker1")->date();
        to = control<QDateEdit>(reportWindow(), "DTPicker2")->date();
        return int(QDialog::Rejected);
    });
    control<QAction>(journalWindow(), "N10")->trigger();
    EXPECT_EQ(from, QDate(2022, 12, 1));
    EXPECT_EQ(to, QDate(2023, 1, 1));
}

}  // namespace
