#include "../support/message_log.h"
#include "../support/test_database.h"
#include "app/journal_window.h"
#include "app/startup.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "data/dataset.h"
#include "refbooks/workers_list.h"
#include "ui/clock.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include <QAction>
#include <QDialog>
#include <QProcess>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <thread>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

// A cluster of this test's own, which it stops and starts while the client runs.
class LostServer : public ::testing::Test {
protected:
    static QString host() { return testdb::spareHost(1); }

    static void cluster(const QString& command) {
        QProcess script;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PLANT_DB_HOST", host());
        env.insert("PLANT_DB_DIR", "/tmp/plant-pg-" + host());
        script.setProcessEnvironment(env);
        script.setProcessChannelMode(QProcess::ForwardedChannels);
        script.start(qEnvironmentVariable("PLANT_SOURCE_DIR") + "/scripts/test-db.sh", {command});
        ASSERT_TRUE(script.waitForFinished(120000));
        ASSERT_EQ(script.exitCode(), 0) << command.toStdString();
    }

    static void SetUpTestSuite() { cluster("start"); }
    static void TearDownTestSuite() { cluster("stop"); }
    void TearDown() override {
        ui::clearModalHook();
        ui::clearToday();
        shutdownApplication();
    }

    // A connection of the test's own to the cluster, made in the calling thread.
    static QSqlDatabase side(const QString& name) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QODBC", name);
        db.setDatabaseName(data::composeConnectionString("plantdb", host()));
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        return db;
    }
    static QVariant run(const QSqlDatabase& db, const QString& sql) {
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
        return q.next() ? q.value(0) : QVariant();
    }

    static QStringList firstLines(const MessageLog& log) {
        QStringList lines;
        for (const ui::Message& m : log.messages())
            lines << m.text.section('\n', 0, 0);
        return lines;
    }
    static void tick() {
        ui::runGuarded([] { journalWindow().checkVersion(); });
    }
};

TEST_F(LostServer, ReportedOnceThenTheNextActionConnectsAgain) {
    ASSERT_TRUE(startApplication({"plant-client", "plantdb", host()}));
    journalWindow().windowActivated();
    MessageLog log;

    cluster("halt");
    // The version check's timer meets the loss first: one message, and none at its next ticks.
    tick();
    tick();
    tick();
    EXPECT_EQ(firstLines(log), QStringList{"Соединение с сервером базы данных потеряно. Повторите "
                                           "действие, когда сервер снова будет доступен."});
    EXPECT_TRUE(data::connectionLost());

    // An action while the server is still away says so, and tries again next time.
    log.clear();
    journalRefreshButton()->click();
    EXPECT_EQ(firstLines(log), QStringList{"Нет соединения с сервером базы данных. Повторите "
                                           "действие, когда сервер снова будет доступен."});
    tick();
    EXPECT_EQ(log.count(), 1);

    cluster("resume");
    log.clear();
    journalRefreshButton()->click();  // "Обновить"
    EXPECT_EQ(log.count(), 0);
    EXPECT_FALSE(data::connectionLost());
    EXPECT_TRUE(testdb::sharedData().journalOf(4)->isOpen());
    int listShown = 0;
    ui::setModalHook([&](QWidget* w) {
        listShown += w == &workersList() && testdb::sharedData().workers->isOpen();
        return int(QDialog::Rejected);
    });
    control<QAction>(journalWindow(), "N1")->trigger();  // "Рабочие"
    tick();
    EXPECT_EQ(listShown, 1);
    EXPECT_EQ(log.count(), 0);
}

// The deletion removes the entry and then rewrites the timesheet cell; the server goes away while
// the cell's row is locked by another workstation. The entry stays and the user hears so.
TEST_F(LostServer, DeletionCutOffMidwayRollsBackAndSaysSo) {
    ASSERT_TRUE(startApplication({"plant-client", "plantdb", host()}));
    {
        QSqlDatabase other = side("other");
        run(other,
            "truncate accounts_dep.smena, accounts_dep.h_tabel;"
            "insert into accounts_dep.person(fio) values ('Иванов И.И.');"
            "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs) values ('М-1', 6);"
            "insert into accounts_dep.vid_oper(vid) values ('Сборка');"
            "insert into accounts_dep.oper(vid, naimen, i_id) select max(v.id), 0, max(g.id) "
            "from accounts_dep.vid_oper v, cmn_gds_and_srv.gds_and_srv g;"
            "insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, time, ok) "
            "select '2023-03-14', 1, max(p.id), max(o.i_id), max(o.id), 8, 'no' "
            "from accounts_dep.person p, accounts_dep.oper o;"
            "insert into accounts_dep.h_tabel(w_id, month, year, smena, d14) "
            "select w_id, 3, 2023, 1, 8 from accounts_dep.smena");
        ui::setToday(QDate(2023, 3, 14));
        journalWindow().windowActivated();
        ASSERT_EQ(testdb::sharedData().journalOf(1)->recordCount(), 1);
        data::Dataset backend(QStringLiteral("backend"));
        backend.setSql(QStringLiteral("select pg_backend_pid()"));
        backend.open();
        const QString pid = backend.valueAt(0, 0).toString();

        other.transaction();
        run(other, "select * from accounts_dep.h_tabel for update");
        std::thread cut([pid] {
            {
                QSqlDatabase watcher = side("watcher");
                for (int i = 0; i < 300; ++i) {
                    if (run(watcher, "select count(*) from pg_stat_activity where pid=" + pid +
                                         " and wait_event_type='Lock'")
                            .toInt() == 1) {
                        run(watcher, "select pg_terminate_backend(" + pid + ")");
                        break;
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                }
            }
            QSqlDatabase::removeDatabase("watcher");
        });
        MessageLog log;  // "Удалить позицию из списка?" answered Yes
        journalDeleteButton()->click();
        cut.join();
        other.rollback();

        ASSERT_EQ(log.count(), 2);
        EXPECT_EQ(log.messages()[1].text.section('\n', 0, 0),
                  "Соединение с сервером базы данных потеряно. Начатая запись отменена: в базе "
                  "ничего не изменилось. Повторите действие, когда сервер снова будет доступен.");
        EXPECT_EQ(run(other, "select count(*) from accounts_dep.smena").toInt(), 1);
        EXPECT_EQ(run(other, "select d14 from accounts_dep.h_tabel").toInt(), 8);
    }
    QSqlDatabase::removeDatabase("other");
}

}  // namespace
