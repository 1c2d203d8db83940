#include "app/startup.h"
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "data/db_error.h"

#include <QApplication>
#include <QWidget>

namespace {

using testing_support::MessageLog;

bool anyWindowUsable() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isEnabled())
            return true;
    return false;
}

TEST(Startup, UnreachableServerShowsOneMessageAndNoWindow) {
    MessageLog log;
    EXPECT_FALSE(startApplication({"plant-client", "plantdb", "127.0.0.99"}));
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.messages()[0].text, "Подключение к БД отсутсвует!!!");
    EXPECT_EQ(log.messages()[0].caption, "Ошибка!");
    EXPECT_EQ(log.messages()[0].icon, ui::Icon::Stop);
    EXPECT_EQ(log.messages()[0].buttons, ui::Buttons::Ok);
    EXPECT_FALSE(anyWindowUsable());
    shutdownApplication();
}

TEST(Startup, WrongDatabaseNameShowsTheSameMessage) {
    MessageLog log;
    EXPECT_FALSE(startApplication({"plant-client", "no_such_db", testdb::host()}));
    EXPECT_EQ(log.texts(), QStringList{"Подключение к БД отсутсвует!!!"});
    EXPECT_FALSE(anyWindowUsable());
    shutdownApplication();
}

TEST(Startup, ReachableDatabaseShowsTheLoginWindowOnly) {
    testdb::ensureDatabase();
    MessageLog log;
    ASSERT_TRUE(startApplication(testdb::appArgs()));
    QStringList visible;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            visible << w->objectName();
    EXPECT_EQ(visible, QStringList{"Form23"});
    shutdownApplication();
}

TEST(Startup, AnErrorEscapingStartUpIsShownAndEndsIt) {
    MessageLog log;
    QWidget window;
    window.show();
    EXPECT_FALSE(runStartUp([&]() -> bool {
        throw data::DbError(QStringLiteral("relation \"accounts_dep.norm\" does not exist"));
    }));
    EXPECT_EQ(log.texts(), QStringList{"relation \"accounts_dep.norm\" does not exist"});
    EXPECT_EQ(log.messages().value(0).caption, "Ошибка");
    EXPECT_FALSE(anyWindowUsable());
}

}  // namespace
