#include "../support/message_log.h"
#include "../support/test_database.h"
#include "data/data_module.h"
#include "data/db_error.h"

namespace {

using testdb::DbTest;
using testing_support::MessageLog;

TEST_F(DbTest, CheckDuplicateWithCountZeroShowsNothing) {
    MessageLog log;
    EXPECT_FALSE(DataModule6->CheckDuplicate(
        "select count(*) as cnt from accounts_dep.vid_oper where upper(vid)='X'", "Дубль!"));
    EXPECT_EQ(log.count(), 0);
    EXPECT_FALSE(DataModule6->Control->isOpen());
}

TEST_F(DbTest, CheckDuplicateShowsTheCallersMessageOnce) {
    testdb::exec("insert into accounts_dep.vid_oper(vid) values ('краска'), ('КРАСКА')");
    MessageLog log;
    EXPECT_TRUE(DataModule6->CheckDuplicate(
        "select count(*) as cnt from accounts_dep.vid_oper where upper(vid)='КРАСКА'",
        "Такая операция уже заведена!"));
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.messages()[0].text, "Такая операция уже заведена!");
    EXPECT_EQ(log.messages()[0].caption, "Ошибка");
    EXPECT_EQ(log.messages()[0].icon, ui::Icon::Stop);
    EXPECT_EQ(log.messages()[0].buttons, ui::Buttons::Ok);
    EXPECT_FALSE(DataModule6->Control->isOpen());
}

TEST_F(DbTest, CheckDuplicateRefusedStatementEndsTheCaller) {
    MessageLog log;
    EXPECT_THROW(DataModule6->CheckDuplicate("select count(*) as cnt from no_such", "Дубль!"),
                 data::DbError);
    EXPECT_EQ(log.count(), 0);
    EXPECT_FALSE(DataModule6->Control->isOpen());
}

}  // namespace
