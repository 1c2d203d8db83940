// Another workstation holds a lock (a journal row, a timesheet row, the month) in an open
// transaction while this one writes: the write gives up within its wait limit, says the data is
// busy, writes nothing, and succeeds once the lock is let go.
#include "../support/app_controls.h"
#include "../support/app_windows.h"
#include "../support/journal_entries.h"
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "app/journal_window.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "data/db_error.h"
#include "ui/clock.h"
#include "ui/modal.h"
#include "ui/stale_input.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <functional>
#include <ostream>
#include <thread>

using namespace testing_support;

namespace {

constexpr int kWaitLimitMs = 1000;
const QDate kDay(2023, 3, 14);

// One write of one window against one held lock.
struct BusyCase {
    const char* name;
    const char* hold;           // run by the other workstation in its transaction
    std::function<void()> act;  // the write, through the window
    const char* state;          // what the write changes: unchanged by a refusal
    bool inEditor = false;      // a save: the refused editor stays open with its contents
};

void PrintTo(const BusyCase& c, std::ostream* os) {
    *os << c.name;
}

// The journal of kDay, shift 1, with its one entry, as the administrator sees it.
void showJournal() {
    journalWindow().logIn("8453");
    dayOffCheck()->setChecked(false);
    shiftButton(1)->click();
    ui::setToday(kDay);
    journalWindow().windowActivated();
    ASSERT_EQ(journalGrid()->model()->rowCount(), 1);
}

// Whether the entry editor was still open, showing the changed hours, after "Запись".
bool editorKeptItsContents = false;

// "Изменить" on the entry sets its hours to 5 and presses "Запись".
void changeHours() {
    showJournal();
    ui::setModalHook([](QWidget* w) {
        EXPECT_EQ(w, &entryEditor());
        entryHoursBox()->setText("5");
        entrySaveButton()->click();
        editorKeptItsContents = entryEditor().isVisible() && entryHoursBox()->text() == "5";
        return int(QDialog::Rejected);
    });
    control<QPushButton>(journalWindow(), "Button2")->click();
    ui::clearModalHook();
}

void rebuildMarch() {
    timesheetMonthList()->setCurrentIndex(2);
    auto* years = timesheetYearList();
    years->setCurrentIndex(years->findText("2023"));
    rebuildButton()->click();  // "Перестроить"
}

const char* kJournalRow = "select id from accounts_dep.smena for update";
const char* kTimesheetRow = "select id from accounts_dep.h_tabel for update";
const char* kEntries = "select id, time, ok from accounts_dep.smena order by id";
const char* kTimesheet = "select w_id, smena, d13, d14 from accounts_dep.h_tabel order by id";

const BusyCase kCases[] = {
    {"DeleteWhileTheEntryIsHeld", kJournalRow,
     [] {
         showJournal();
         journalDeleteButton()->click();  // "Удалить", Yes
     },
     kEntries},
    {"DeleteWhileItsTimesheetRowIsHeld", kTimesheetRow,
     [] {
         showJournal();
         journalDeleteButton()->click();
     },
     kEntries},
    {"AcceptanceWhileTheEntryIsHeld", kJournalRow,
     [] {
         showJournal();
         emit journalGrid()->doubleClicked(cellOf(journalGrid(), 0, "fio"));
     },
     kEntries},
    {"SaveWhileItsTimesheetRowIsHeld", kTimesheetRow, changeHours, kEntries, true},
    // As the rebuild holds the month.
    {"SaveWhileTheMonthIsHeld", "select pg_advisory_xact_lock(hashtext('h_tabel:3:2023'))",
     changeHours, kEntries, true},
    // As the saves of the month hold it.
    {"RebuildWhileTheMonthIsHeld",
     "select pg_advisory_xact_lock_shared(hashtext('h_tabel:3:2023'))", rebuildMarch, kTimesheet},
    {"RebuildWhileATimesheetRowIsHeld", kTimesheetRow, rebuildMarch, kTimesheet},
};

class BusyData : public testdb::AppTest, public ::testing::WithParamInterface<BusyCase> {
protected:
    void SetUp() override {
        AppTest::SetUp();
        data::setLockWaitLimit(kWaitLimitMs);
        QSqlDatabase other = QSqlDatabase::addDatabase("QODBC", "other");
        other.setDatabaseName(
            data::composeConnectionString(testdb::databaseName(), testdb::host()));
        ASSERT_TRUE(other.open()) << other.lastError().text().toStdString();
    }
    void TearDown() override {
        data::setLockWaitLimit(data::kLockWaitMilliseconds);
        QSqlDatabase::database("other").rollback();
        QSqlDatabase::database("other").close();
        QSqlDatabase::removeDatabase("other");
        ui::clearModalHook();
        ui::clearToday();
        AppTest::TearDown();
    }
    // An entry of kDay, 8 hours, and its timesheet row with a 3-hour day before it (d13), which
    // a rebuild would clear.
    static void seed() {
        testdb::addOneOperationPlant({"Иванов И.И."});
        testdb::exec(
            "insert into accounts_dep.norm(o_id, norma, price, prize) values "
            "(1, 1, 12.5, 0)");
        testdb::addJournalEntry({.date = kDay,
                                 .shift = 1,
                                 .worker = 1,
                                 .product = 1,
                                 .operation = 1,
                                 .quantity = 10,
                                 .defects = 0,
                                 .price = 12.5,
                                 .colour = 0,
                                 .hours = 8});
        testdb::exec(
            "insert into accounts_dep.h_tabel(w_id, smena, month, year, d13, d14) "
            "values (1, 1, 3, 2023, 3, 8)");
    }
    static void hold(const char* sql) {
        QSqlDatabase other = QSqlDatabase::database("other");
        ASSERT_TRUE(other.transaction());
        QSqlQuery q(other);
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    }
};

// The same workstation and lock, with a wait of its own length.
class BusyDataStaleInput : public BusyData {
protected:
    void SetUp() override {
        BusyData::SetUp();
        data::setLockWaitLimit(ui::kLongServerWaitMilliseconds + 500);
    }
};

TEST_P(BusyData, RefusedWithinTheLimitWritingNothingThenDoneAfterRelease) {
    const BusyCase& c = GetParam();
    seed();
    const QList<QVariantList> before = testdb::rows(c.state);
    hold(c.hold);
    {
        MessageLog log;  // "Удалить позицию из списка?" answered Yes
        QElapsedTimer clock;
        clock.start();
        c.act();
        EXPECT_LT(clock.elapsed(), kWaitLimitMs + 4000);
        ASSERT_FALSE(log.messages().isEmpty());
        const ui::Message& refusal = log.messages().last();
        EXPECT_EQ(refusal.text, QString::fromUtf8(data::kBusyMessage));
        EXPECT_EQ(refusal.caption, "Ошибка");
        EXPECT_EQ(refusal.icon, ui::Icon::Stop);
        EXPECT_EQ(testdb::rows(c.state), before);
        if (c.inEditor) {
            EXPECT_TRUE(editorKeptItsContents);
        }
    }
    QSqlDatabase::database("other").rollback();
    MessageLog log;
    c.act();
    EXPECT_FALSE(log.texts().contains(QString::fromUtf8(data::kBusyMessage)))
        << log.texts().join("; ").toStdString();
    EXPECT_NE(testdb::rows(c.state), before);
}

INSTANTIATE_TEST_SUITE_P(Windows, BusyData, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A click on the widget, posted to the window thread's queue as the window system queues one.
void postClick(QWidget* w) {
    const QPointF at = QRectF(w->rect()).center();
    const QPointF global = w->mapToGlobal(at);
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

// "Обновить" waits for the journal another workstation holds; a click on "Смена №2" given
// meanwhile is dropped when the wait ends (the user is told once), so the journal stays on shift
// 1; the same click given when nothing waits switches the shift.
TEST_F(BusyDataStaleInput, InputGivenDuringALongWaitDoesNothingAfterwards) {
    seed();
    showJournal();
    auto* shift1 = shiftButton(1);
    auto* shift2 = shiftButton(2);
    ASSERT_TRUE(shift1->isChecked());
    hold("lock table accounts_dep.smena in access exclusive mode");
    MessageLog log;
    std::thread user([shift2] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        postClick(shift2);
    });
    journalRefreshButton()->click();  // "Обновить", refused when busy
    user.join();
    QCoreApplication::processEvents();
    EXPECT_TRUE(shift1->isChecked());
    EXPECT_FALSE(shift2->isChecked());
    EXPECT_EQ(log.texts().count(QString::fromUtf8(data::kBusyMessage)), 1);
    EXPECT_EQ(log.texts().count(QString::fromUtf8(ui::droppedInputMessage())), 1)
        << log.texts().join("; ").toStdString();

    QSqlDatabase::database("other").rollback();
    log.clear();
    postClick(shift2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(shift2->isChecked());
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
}

}  // namespace
