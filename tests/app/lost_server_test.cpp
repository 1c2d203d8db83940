#include "../support/message_log.h"
#include "../support/test_database.h"
#include "app/journal_window.h"
#include "app/startup.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "data/dataset.h"
#include "refbooks/workers_list.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include <QAction>
#include <QDialog>
#include <QProcess>
#include <QPushButton>

namespace {

using testing_support::MessageLog;

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
        shutdownApplication();
    }

    static QStringList firstLines(const MessageLog& log) {
        QStringList lines;
        for (const ui::Message& m : log.messages())
            lines << m.text.section('\n', 0, 0);
        return lines;
    }
    static void tick() {
        ui::runGuarded([] { Form1->Timer1Timer(); });
    }
};

TEST_F(LostServer, ReportedOnceThenTheNextActionConnectsAgain) {
    ASSERT_TRUE(startApplication({"plant-client", "plantdb", host()}));
    Form1->FormActivate();
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
    Form1->Button8->click();
    EXPECT_EQ(firstLines(log), QStringList{"Нет соединения с сервером базы данных. Повторите "
                                           "действие, когда сервер снова будет доступен."});
    tick();
    EXPECT_EQ(log.count(), 1);

    cluster("resume");
    log.clear();
    Form1->Button8->click();  // "Обновить"
    EXPECT_EQ(log.count(), 0);
    EXPECT_FALSE(data::connectionLost());
    EXPECT_TRUE(DataModule6->Smena4->isOpen());
    int listShown = 0;
    ui::setModalHook([&](QWidget* w) {
        listShown += w == Form5 && DataModule6->Workers->isOpen();
        return int(QDialog::Rejected);
    });
    Form1->N1->trigger();  // "Рабочие"
    tick();
    EXPECT_EQ(listShown, 1);
    EXPECT_EQ(log.count(), 0);
}

}  // namespace
