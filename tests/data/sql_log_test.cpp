#include "data/sql_log.h"
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "data/command.h"
#include "data/dataset.h"
#include "ui/error_display.h"

#include <QStringList>

namespace {

using testdb::DbTest;
using testing_support::MessageLog;

// Every message of the plant.sql category while it lives; the others pass on.
class SqlLog {
public:
    SqlLog() {
        lines().clear();
        previous_ = qInstallMessageHandler(&SqlLog::handle);
    }
    ~SqlLog() { qInstallMessageHandler(previous_); }
    static QStringList& lines() {
        static QStringList l;
        return l;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (QLatin1String(context.category) == QLatin1String("plant.sql") && type == QtWarningMsg)
            lines() << text;
    }
    QtMessageHandler previous_;
};

// A refused statement is logged once with its name and the action around it, whether a window's
// guarded handler or the caller named it; the user reads the driver's text alone.
TEST_F(DbTest, ARefusedStatementIsLoggedWithItsNameAndTheAction) {
    const struct {
        const char* action;  // nothing: the statement runs outside every action
        std::function<void()> run;
        const char* name;
    } cases[] = {
        {"timesheet rebuild",
         [] {
             data::Command(QStringLiteral("H_Tabel_ins"), "insert into no_such_table values (1)")
                 .exec();
         },
         "H_Tabel_ins"},
        {"journal: Обновить",
         [] {
             data::Dataset q(QStringLiteral("Smena1"));
             q.setSql("select no_such_column from accounts_dep.smena");
             q.open();
         },
         "Smena1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SqlLog log;
        MessageLog shown;
        EXPECT_FALSE(ui::runGuarded(c.run, QString::fromUtf8(c.action)));
        ASSERT_EQ(SqlLog::lines().size(), 1) << SqlLog::lines().join('|').toStdString();
        EXPECT_TRUE(SqlLog::lines()[0].contains(QString::fromUtf8(c.name)));
        EXPECT_TRUE(SqlLog::lines()[0].contains(QString::fromUtf8(c.action)));
        // The box shows what the driver said, nothing of the log's names.
        ASSERT_EQ(shown.count(), 1);
        EXPECT_FALSE(shown.messages()[0].text.contains(QString::fromUtf8(c.name)));
        EXPECT_TRUE(SqlLog::lines()[0].endsWith(shown.messages()[0].text))
            << shown.messages()[0].text.toStdString();
    }
    // A statement that succeeds logs nothing.
    SqlLog log;
    data::Command(QStringLiteral("SQL_exec"), "select 1").exec();
    EXPECT_TRUE(SqlLog::lines().isEmpty());
}

}  // namespace
