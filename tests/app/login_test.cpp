#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "app/journal_window.h"
#include "app/login_window.h"
#include "data/data_module.h"
#include "reports/report_window.h"
#include "ui/clock.h"
#include "ui/modal.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include "../support/app_controls.h"
#include "../support/app_windows.h"
#include "../support/journal_entries.h"
#include "../support/role_controls.h"

using namespace testing_support;

namespace {

// Each case starts a fresh client: a role's effects last for the rest of the process.
class Login : public ::testing::Test {
protected:
    void SetUp() override {
        testdb::stopApp();
        testdb::startApp();
        testdb::reset();
    }
    void TearDown() override {
        ui::clearModalHook();
        ui::clearToday();
    }
};

TEST_F(Login, RoleTable) {
    constexpr auto kAll = reports::ProductKindChoice::All;
    const struct {
        const char* typed;
        QStringList off;
        reports::ProductKindChoice productKind;
    } cases[] = {
        {"kestar", reviewerDisabled(), kAll},
        {"  brigado ", foremanDisabled(), kAll},
        {"hobym", storekeeperDisabled(), reports::ProductKindChoice::Finished},
        {"63517240", {}, kAll},
        {"8453", {}, kAll},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        SetUp();
        MessageLog log;
        QStringList seen;
        int shown = 0;
        ui::setModalHook([&](QWidget* w) {
            ++shown;
            EXPECT_EQ(w, &journalWindow());
            seen = disabledControls();
            // A database without personal logins: no person named, nothing of them offered.
            EXPECT_EQ(journalWindow().windowTitle(), "Табель");
            EXPECT_FALSE(control<QMenu>(journalWindow(), "accessMenu")->menuAction()->isVisible());
            return int(QDialog::Rejected);
        });
        shiftButton(3)->click();
        // The login asks for the word alone.
        EXPECT_FALSE(loginUserBox()->isVisibleTo(&loginDialog()));
        loginWordBox()->setText(c.typed);
        loginDialog().logIn();

        EXPECT_EQ(shown, 1);
        EXPECT_EQ(log.count(), 0);
        EXPECT_EQ(seen, c.off);
        EXPECT_EQ(reportWindow().productKind(), c.productKind);
        EXPECT_EQ(journalWindow().currentShift(), 1);
        EXPECT_EQ(journalWindow().loginWord(), QString(c.typed).trimmed());
        for (int shift = 1; shift <= 4; ++shift)
            EXPECT_EQ(testdb::sharedData().journalOf(shift)->param("ok").toString(), "ta");
        // The journal closed: the login window closes too.
        EXPECT_FALSE(loginDialog().isVisible());
    }
}

TEST_F(Login, WrongWordsAreRefusedAndTheTextStays) {
    for (const char* typed : {"BRIGADO", "Kestar", "", "   ", "brig ado", "84530"}) {
        SCOPED_TRACE(typed);
        MessageLog log;
        int shown = 0;
        ui::setModalHook([&](QWidget*) { return ++shown, int(QDialog::Rejected); });
        loginWordBox()->setText(typed);
        // The word shows as one '*' per character, blanks included.
        EXPECT_EQ(loginWordBox()->displayText(), QString(qstrlen(typed), u'*'));
        loginDialog().logIn();
        EXPECT_EQ(shown, 0);
        ASSERT_EQ(log.count(), 1);
        EXPECT_EQ(log.messages()[0].text, "Введены неверные данные.");
        EXPECT_EQ(log.messages()[0].caption, "Ошибка");
        EXPECT_EQ(log.messages()[0].icon, ui::Icon::Stop);
        EXPECT_EQ(loginWordBox()->text(), typed);
        EXPECT_TRUE(disabledControls().isEmpty());
    }
}

TEST_F(Login, ReviewerSeesTodaysFirstShift) {
    testdb::addOneOperationPlant({"Иванов И.И."});
    testdb::exec(
        "insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, time, ok) values "
        "('2023-03-14', 1, 1, 1, 1, 8, 'no'), ('2023-03-13', 1, 1, 1, 1, 5, 'no'),"
        "('2023-03-14', 2, 1, 1, 1, 4, 'no')");
    ui::setToday(QDate(2023, 3, 14));
    int rows = -1;
    ui::setModalHook([&](QWidget*) {
        journalWindow().windowActivated();  // what the desktop does when the journal comes up
        rows = journalGrid()->model()->rowCount();
        return int(QDialog::Rejected);
    });
    loginWordBox()->setText("kestar");
    loginDialog().logIn();
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(journalDate()->date(), QDate(2023, 3, 14));
}

TEST_F(Login, ReviewerReadsAndScrollsTheWholeJournalButChangesNothing) {
    testdb::addOneOperationPlant({});
    testdb::exec(
        "insert into accounts_dep.person(fio) select 'Рабочий ' || lpad(n::text, 2, '0') "
        "from generate_series(1, 40) n;"
        "insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, time, ok) "
        "select '2023-03-14', 1, id, 1, 1, 8, 'no' from accounts_dep.person");
    ui::setToday(QDate(2023, 3, 14));
    ui::setModalHook([&](QWidget*) {
        journalWindow().windowActivated();
        QTableView* grid = journalGrid();
        EXPECT_TRUE(grid->isEnabled());
        EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(grid->model()->rowCount(), 40);
        // The last row can be reached.
        grid->scrollToBottom();
        EXPECT_GT(grid->verticalScrollBar()->value(), 0);
        EXPECT_EQ(grid->rowAt(grid->viewport()->height() - 2), 39);
        // A double-click (the acceptance toggle) changes nothing.
        testdb::sharedData().journalOf(1)->setRecNo(40);
        emit grid->doubleClicked(cellOf(grid, 39, "fio"));
        EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.smena where ok='no'").toInt(),
                  40);
        return int(QDialog::Rejected);
    });
    loginWordBox()->setText("kestar");
    loginDialog().logIn();
}

TEST_F(Login, CancelClosesTheLoginWindow) {
    ASSERT_TRUE(loginDialog().isVisible());
    control<QPushButton>(loginDialog(), "Button2")->click();
    EXPECT_FALSE(loginDialog().isVisible());
}

}  // namespace
