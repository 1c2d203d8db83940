// The journal from the keyboard, and several rows accepted at once.
#include "../support/journal_entries.h"
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "app/journal_rules.h"
#include "app/journal_window.h"
#include "data/data_module.h"
#include "data/db_error.h"
#include "ui/clock.h"
#include "ui/modal.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace journal_keys {

const QDate kTuesday(2022, 11, 8);

class JournalKeys : public testdb::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        testdb::addOneOperationPlant(
            {"Антонов А.А.", "Борисов Б.Б.", "Волков В.В.", "Громов Г.Г."});
        journalWindow().logIn("8453");
        dayOffCheck()->setChecked(false);
        shiftButton(1)->click();
        ui::setToday(kTuesday);
    }
    void TearDown() override {
        ui::clearModalHook();
        AppTest::TearDown();
    }

    static int addEntry(int w, const QString& ok) {
        return testdb::addJournalEntry({.date = kTuesday,
                                        .shift = 1,
                                        .worker = w,
                                        .product = 1,
                                        .operation = 1,
                                        .quantity = 10,
                                        .defects = 0,
                                        .price = 1.5,
                                        .hours = 2,
                                        .ok = ok});
    }
    static QTableView* grid() { return journalGrid(); }
    static QStringList marks() { return columnTexts(grid(), "ok"); }
    static void select(std::initializer_list<int> rows) {
        QItemSelectionModel* s = grid()->selectionModel();
        s->clearSelection();
        for (const int row : rows)
            s->select(grid()->model()->index(row, 0),
                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
};

TEST_F(JournalKeys, TheForemanAddsWithoutTheMouse) {
    journalWindow().windowActivated();
    QStringList shown;
    ui::setModalHook([&](QWidget* w) {
        shown << w->objectName();
        return 0;
    });
    journalWindow().show();
    // Each key pressed in the grid of the active journal (a shown window took the focus).
    auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        journalWindow().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&journalWindow()));
        grid()->setFocus();
        QTest::keyClick(grid(), key, modifiers);
    };
    press(Qt::Key_Insert);
    press(Qt::Key_N, Qt::ControlModifier);
    press(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shown, (QStringList{"Form11", "Form11", "ShiftEntryWindow"}));

    // Tab leaves the grid for the buttons, "Добавить" first.
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), journalAddButton());
    journalWindow().hide();
}

TEST_F(JournalKeys, SeveralRowsAreAcceptedAndClearedInOneAction) {
    const int a = addEntry(1, "no");
    const int b = addEntry(2, "да");
    const int c = addEntry(3, "no");
    addEntry(4, "no");
    journalWindow().windowActivated();
    testdb::sharedData().journalOf(1)->setRecNo(3);
    select({0, 1, 2});
    control<QAction>(*grid(), "acceptAction")->trigger();
    // An accepted row keeps its own mark.
    EXPECT_EQ(marks(), (QStringList{"ok", "да", "ok", "no"}));
    EXPECT_EQ(testdb::sharedData().journalOf(1)->recNo(), 3);

    // Space clears them once all the selected are accepted, and accepts them otherwise.
    select({0, 1});
    QTest::keyClick(grid(), Qt::Key_Space);
    EXPECT_EQ(marks(), (QStringList{"no", "no", "ok", "no"}));
    select({1, 2});
    QTest::keyClick(grid(), Qt::Key_Space);
    EXPECT_EQ(marks(), (QStringList{"no", "ok", "ok", "no"}));
    select({1, 2});
    control<QAction>(*grid(), "clearMarkAction")->trigger();
    EXPECT_EQ(marks(), (QStringList{"no", "no", "no", "no"}));

    // The foreman is refused, as with the double-click.
    journalWindow().logIn("brigado");
    select({0, 1});
    control<QAction>(*grid(), "acceptAction")->trigger();
    EXPECT_EQ(marks(), (QStringList{"no", "no", "no", "no"}));
    (void)a, (void)b, (void)c;
}

TEST_F(JournalKeys, ARowAnotherWorkstationRemovedIsReportedTheOthersAreMarked) {
    addEntry(1, "no");
    const int gone = addEntry(2, "no");
    addEntry(3, "no");
    journalWindow().windowActivated();
    select({0, 1, 2});
    testdb::exec(QStringLiteral("delete from accounts_dep.smena where id=%1").arg(gone));
    MessageLog log;
    control<QAction>(*grid(), "acceptAction")->trigger();
    EXPECT_EQ(log.texts(), QStringList{journal::goneMarksMessage(1, 3)});
    EXPECT_EQ(marks(), (QStringList{"ok", "ok"}));
}

TEST_F(JournalKeys, AClosedMonthRefusesTheMarks) {
    addEntry(1, "no");
    addEntry(2, "no");
    journalWindow().windowActivated();
    testdb::exec("insert into accounts_dep.closed_month(year, month) values (2022, 11)");
    select({0, 1});
    MessageLog log;
    control<QAction>(*grid(), "acceptAction")->trigger();
    EXPECT_EQ(log.texts(), QStringList{data::closedMonthMessage(11, 2022)});
    EXPECT_EQ(marks(), (QStringList{"no", "no"}));
}

}  // namespace journal_keys
