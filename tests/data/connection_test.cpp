#include "data/connection.h"
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "data/command.h"
#include "data/data_module.h"
#include "data/dataset.h"
#include "data/transaction.h"
#include "ui/error_display.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <atomic>
#include <thread>

namespace {

using testdb::DbTest;
using testing_support::MessageLog;

QVariant clientScalar(const QString& sql) {
    data::Dataset q(QStringLiteral("q"));
    q.setSql(sql);
    q.open();
    return q.valueAt(0, 0);
}

int countOf(const QString& table) {
    return testdb::scalar("select count(*) from " + table).toInt();
}

void reconnectClient() {
    testdb::sharedData().connection.open(
        data::composeConnectionString(testdb::databaseName(), testdb::host()));
}

// TCP settings of this process's sockets to the test server.
struct SocketTimers {
    int keepalive = 0;
    int idleSeconds = 0;
    unsigned userTimeoutMs = 0;
};

QList<SocketTimers> socketsToServer() {
    QList<SocketTimers> found;
    const in_addr_t server = inet_addr(testdb::host().toLatin1().constData());
    for (const QString& entry :
         QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::System | QDir::NoDotAndDotDot)) {
        const int fd = entry.toInt();
        sockaddr_in peer{};
        socklen_t size = sizeof peer;
        if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) != 0 ||
            peer.sin_family != AF_INET || peer.sin_addr.s_addr != server ||
            ntohs(peer.sin_port) != 5432)
            continue;
        SocketTimers t;
        socklen_t n = sizeof(int);
        getsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &t.keepalive, &n);
        n = sizeof(int);
        getsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &t.idleSeconds, &n);
        n = sizeof(unsigned);
        getsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &t.userTimeoutMs, &n);
        found << t;
    }
    return found;
}

TEST_F(DbTest, SessionReadsBackslashesLiterallyWhateverTheServerDefault) {
    const QString alter = "ALTER DATABASE " + testdb::databaseName();
    testdb::exec(alter + " SET standard_conforming_strings = off");
    reconnectClient();
    testdb::exec(alter + " RESET standard_conforming_strings");
    EXPECT_EQ(clientScalar("show standard_conforming_strings").toString(), "on");
    EXPECT_EQ(clientScalar("select 'a\\b'").toString(), "a\\b");
    reconnectClient();
}

TEST_F(DbTest, ConnectionKeepsTcpAliveSoADeadServerIsNoticedWithinAMinute) {
    // Without the options the system's two hours of idle time apply.
    bool client = false;
    for (const SocketTimers& t : socketsToServer())
        client = client || (t.keepalive == 1 && t.idleSeconds <= 30 && t.userTimeoutMs > 0 &&
                            t.userTimeoutMs <= 60000);
    EXPECT_TRUE(client);
}

TEST_F(DbTest, StatementShowsTheWaitCursorWhileTheServerWorks) {
    std::atomic<int> shape{-1};
    std::thread watcher([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        const QCursor* cursor = QGuiApplication::overrideCursor();
        shape = cursor ? cursor->shape() : Qt::ArrowCursor;
    });
    data::Command(QStringLiteral("c"), QStringLiteral("select pg_sleep(1)")).exec();
    watcher.join();
    EXPECT_EQ(shape, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(DbTest, SaveCutOffMidwayRollsBackSaysSoAndTheNextActionConnectsAgain) {
    const QString pid = clientScalar("select pg_backend_pid()").toString();
    auto insertKind = [](const char* name) {
        data::Command(QStringLiteral("c"),
                      QStringLiteral("insert into accounts_dep.vid_oper(vid) values ('%1')")
                          .arg(QString::fromUtf8(name)))
            .exec();
    };
    MessageLog log;
    const bool saved = ui::runGuarded([&] {
        data::Transaction transaction;
        insertKind("Сборка");
        testdb::exec("select pg_terminate_backend(" + pid + ")");  // the server goes away
        insertKind("Покраска");
        transaction.commit();
    });
    EXPECT_FALSE(saved);
    ASSERT_EQ(log.count(), 1);
    const QStringList lines = log.messages()[0].text.split('\n');
    EXPECT_EQ(lines[0],
              "Соединение с сервером базы данных потеряно. Начатая запись отменена: в базе ничего "
              "не изменилось. Повторите действие, когда сервер снова будет доступен.");
    EXPECT_GT(lines.size(), 1);  // the driver's own text follows
    EXPECT_EQ(log.messages()[0].caption, "Ошибка");
    EXPECT_TRUE(data::connectionLost());
    EXPECT_EQ(countOf("accounts_dep.vid_oper"), 0);

    log.clear();
    EXPECT_TRUE(ui::runGuarded([&] { insertKind("Сборка"); }));
    EXPECT_EQ(log.count(), 0);
    EXPECT_FALSE(data::connectionLost());
    EXPECT_EQ(countOf("accounts_dep.vid_oper"), 1);
    EXPECT_NE(clientScalar("select pg_backend_pid()").toString(), pid);
    EXPECT_EQ(clientScalar("show standard_conforming_strings").toString(), "on");
}

TEST_F(DbTest, StatementOutsideATransactionReportsTheLossOnce) {
    const QString pid = clientScalar("select pg_backend_pid()").toString();
    testdb::exec("select pg_terminate_backend(" + pid + ")");
    MessageLog log;
    EXPECT_FALSE(ui::runGuarded([] { clientScalar("select 1"); }));
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.messages()[0].text.split('\n')[0],
              "Соединение с сервером базы данных потеряно. Повторите действие, когда сервер "
              "снова будет доступен.");
    EXPECT_EQ(clientScalar("select 2").toInt(), 2);
}

}  // namespace
