#include "app/version_check.h"
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "app/build_stamp.h"
#include "app/journal_window.h"
#include "app/login_window.h"
#include "app/termination.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include "../support/app_controls.h"
#include "../support/app_windows.h"
#include "data/transaction.h"

using namespace testing_support;

namespace {

class Version : public testdb::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        setTerminationHook([this] { ++terminations; });
    }
    void TearDown() override {
        clearTerminationHook();
        loginExitTimer()->stop();
        AppTest::TearDown();
    }
    QList<QVariantList> record() {
        return testdb::rows("select d, t, coalesce(delim, '-') from accounts_dep.ver");
    }
    int terminations = 0;
};

const BuildStamp kProgram{20221118, 56556};
const QString kRefusal =
    QStringLiteral("Версия программы не соответсвует БД! Запустите программу через 5 мин.");

TEST_F(Version, RecordCases) {
    const struct {
        int d, t;
        int afterD, afterT;
        bool refused;
    } cases[] = {
        {20221118, 56556, 20221118, 56556, false},  // equal: nothing happens
        {20221117, 80000, 20221118, 56556, false},  // older record is raised
        {20221118, 56557, 20221118, 56557, true},   // newer record refuses
        {20221201, 0, 20221201, 0, true},           // newer date, time 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.d * 100000LL + c.t);
        testdb::reset();
        terminations = 0;
        loginExitTimer()->stop();
        testdb::exec(
            QStringLiteral("insert into accounts_dep.ver values (%1, %2, 'x')").arg(c.d).arg(c.t));
        MessageLog log;
        journalWindow().checkVersion(kProgram);
        EXPECT_EQ(record(), (QList<QVariantList>{{c.afterD, c.afterT, "x"}}));
        EXPECT_EQ(journalWindow().buildStamp(), kProgram);
        if (c.refused) {
            ASSERT_EQ(log.count(), 1);
            EXPECT_EQ(log.messages()[0].text, kRefusal);
            EXPECT_EQ(log.messages()[0].caption, "Ошибка");
            EXPECT_EQ(log.messages()[0].icon, ui::Icon::Stop);
            EXPECT_TRUE(loginExitTimer()->isActive());
            EXPECT_EQ(terminations, 1);
        } else {
            EXPECT_EQ(log.count(), 0);
            EXPECT_FALSE(loginExitTimer()->isActive());
            EXPECT_EQ(terminations, 0);
        }
    }
}

TEST_F(Version, EmptyTableGetsTheProgramsRow) {
    MessageLog log;
    journalWindow().checkVersion(kProgram);
    EXPECT_EQ(record(), (QList<QVariantList>{{20221118, 56556, "-"}}));
    EXPECT_EQ(log.count(), 0);
    EXPECT_EQ(terminations, 0);
}

TEST_F(Version, LoginActivationChecksAndShowsTheStampInTheCaption) {
    MessageLog log;
    loginDialog().windowActivated();
    const BuildStamp s = programBuildStamp();
    EXPECT_EQ(loginDialog().windowTitle(),
              QStringLiteral("Авторизация (build: %1.%2)").arg(s.date).arg(s.time));
    EXPECT_EQ(record(), (QList<QVariantList>{{s.date, s.time, "-"}}));
}

TEST_F(Version, TimersRunTheCheckAndTheTermination) {
    EXPECT_TRUE(versionCheckTimer()->isActive());
    EXPECT_EQ(versionCheckTimer()->interval(), 30000);
    testdb::exec("insert into accounts_dep.ver values (29991231, 0, '')");
    MessageLog log;
    journalWindow().checkVersion();
    EXPECT_EQ(log.texts(), QStringList{kRefusal});
    EXPECT_EQ(loginExitTimer()->interval(), 5000);
    loginDialog().exitTimerExpired();
    EXPECT_EQ(terminations, 2);
}

TEST_F(Version, MissingTableReachesTheErrorDisplay) {
    testdb::exec("alter table accounts_dep.ver rename to ver_gone");
    MessageLog log;
    QMetaObject::invokeMethod(versionCheckTimer(), "timeout");
    testdb::exec("alter table accounts_dep.ver_gone rename to ver");
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.messages()[0].caption, "Ошибка");
    EXPECT_EQ(terminations, 0);
}

// The rebuild ("Перестроить") and the export ("Excel") process events between their steps: a tick
// that arrives then runs its statement, and shows its refusal, only after the action has ended.
TEST_F(Version, ATickDuringARebuildOrAnExportRunsOnceAfterIt) {
    // The login window's activation checks too: off screen, it is not activated meanwhile.
    loginDialog().hide();
    QCoreApplication::processEvents();
    for (const char* button : {"Button1", "Button2"}) {
        SCOPED_TRACE(button);
        testdb::reset();
        testdb::exec("insert into accounts_dep.ver values (29991231, 0, '')");  // refuses
        timesheetMonthList()->setCurrentIndex(1);
        auto* years = timesheetYearList();
        years->setCurrentIndex(years->findText("2023"));
        bool actionEnded = false;
        QList<bool> shownAfterTheAction;
        ui::setMessageResponder([&](const ui::Message&) {
            shownAfterTheAction << (actionEnded && !data::Transaction::active());
            return ui::Answer::Ok;
        });
        // Two ticks reach the first processing of events inside the action.
        QTimer* timer = versionCheckTimer();
        QMetaObject::invokeMethod(timer, "timeout", Qt::QueuedConnection);
        QMetaObject::invokeMethod(timer, "timeout", Qt::QueuedConnection);
        control<QPushButton>(timesheetWindow(), button)->click();
        actionEnded = true;
        QCoreApplication::processEvents();
        ui::clearMessageResponder();
        EXPECT_EQ(shownAfterTheAction, QList<bool>{true});
        loginExitTimer()->stop();
    }
}

}  // namespace
