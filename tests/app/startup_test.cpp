#include "app/startup.h"
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "data/db_error.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <iostream>

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

// A server that takes the connection and never answers: the listening socket completes the
// handshake in its backlog and nobody ever reads.
class SilentServer {
public:
    explicit SilentServer(const QString& address) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
        const int yes = 1;
        setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(5432);
        a.sin_addr.s_addr = inet_addr(address.toLatin1().constData());
        listening_ =
            bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && listen(fd_, 8) == 0;
    }
    ~SilentServer() { close(fd_); }
    bool listening() const { return listening_; }

private:
    int fd_;
    bool listening_ = false;
};

TEST(Startup, SilentServerEndsWithTheMessageWithinFifteenSeconds) {
    const QString address = testdb::spareHost(2);
    SilentServer server(address);
    ASSERT_TRUE(server.listening());
    MessageLog log;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(startApplication({"plant-client", "plantdb", address}));
    const qint64 ms = clock.elapsed();
    std::cout << "start-up against a silent server ended after " << ms << " ms\n";
    EXPECT_LT(ms, 15000);
    EXPECT_EQ(log.texts(), QStringList{"Подключение к БД отсутсвует!!!"});
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

// Creating the windows opens the norms table; its failure ends start-up like any other.
TEST(Startup, NormsTableFailingAtStartUpIsShownAndEndsIt) {
    testdb::ensureDatabase();
    testdb::exec("alter table accounts_dep.norm rename to norm_gone");
    MessageLog log;
    const bool started = startApplication(testdb::appArgs());
    testdb::exec("alter table accounts_dep.norm_gone rename to norm");
    EXPECT_FALSE(started);
    ASSERT_EQ(log.count(), 1);
    EXPECT_TRUE(log.messages()[0].text.contains("accounts_dep.norm"))
        << log.texts()[0].toStdString();
    EXPECT_EQ(log.messages()[0].caption, "Ошибка");
    EXPECT_FALSE(anyWindowUsable());
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
