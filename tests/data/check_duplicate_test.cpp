#include "../support/message_log.h"
#include "../support/test_database.h"
#include "data/data_module.h"
#include "data/db_error.h"

namespace {

using testdb::DbTest;
using testing_support::MessageLog;

TEST_F(DbTest, CheckDuplicateWithCountZeroShowsNothing) {
    MessageLog log;
    EXPECT_FALSE(testdb::sharedData().countsAnyRow(
        "select count(*) as cnt from accounts_dep.vid_oper where upper(vid)='X'"));
    EXPECT_EQ(log.count(), 0);
    EXPECT_FALSE(testdb::sharedData().scratch->isOpen());
}

// The data layer only answers; the editors refuse with their own message (their tests).
TEST_F(DbTest, CheckDuplicateAnswersAndLeavesTheMessageToTheCaller) {
    testdb::exec("insert into accounts_dep.vid_oper(vid) values ('краска'), ('КРАСКА')");
    MessageLog log;
    EXPECT_TRUE(testdb::sharedData().countsAnyRow(
        "select count(*) as cnt from accounts_dep.vid_oper where upper(vid)='КРАСКА'"));
    EXPECT_EQ(log.count(), 0);
    EXPECT_FALSE(testdb::sharedData().scratch->isOpen());
}

TEST_F(DbTest, CheckDuplicateRefusedStatementEndsTheCaller) {
    MessageLog log;
    EXPECT_THROW(testdb::sharedData().countsAnyRow("select count(*) as cnt from no_such"),
                 data::DbError);
    EXPECT_EQ(log.count(), 0);
    EXPECT_FALSE(testdb::sharedData().scratch->isOpen());
}

}  // namespace
