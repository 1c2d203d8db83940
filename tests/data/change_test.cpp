#include "data/change.h"
#include "../support/test_database.h"
#include "data/command.h"
#include "data/dataset.h"
#include "data/db_error.h"
#include "data/transaction.h"

#include <QList>

namespace {

using testdb::DbTest;

// What a window following the changes hears, and whether the write it heard of had committed.
class Heard {
public:
    Heard() {
        connection_ = QObject::connect(&data::changes(), &data::ChangeFeed::changed,
                                       [this](const data::Change& c) {
                                           changes.append(c);
                                           insideTransaction |= data::Transaction::active();
                                       });
    }
    ~Heard() { QObject::disconnect(connection_); }
    QList<data::Change> changes;
    bool insideTransaction = false;

private:
    QMetaObject::Connection connection_;
};

const data::Change kNov5Shift2 = data::Change::journal(QDate(2026, 11, 5), 2);
const data::Change kNovember = data::Change::timesheet(2026, 11);

void insertKind(const char* name) {
    data::Command("c", QStringLiteral("insert into accounts_dep.vid_oper(vid) values ('%1')")
                           .arg(QString::fromLatin1(name)))
        .exec();
}

TEST_F(DbTest, NestedGuardsAnnounceEachChangeOnceAfterTheOutermostCommit) {
    Heard heard;
    {
        data::Transaction outer;
        insertKind("a");
        data::announce(kNov5Shift2);
        {
            data::Transaction inner;
            data::announce(kNov5Shift2);
            data::announce(kNovember);
            inner.commit();
        }
        EXPECT_TRUE(heard.changes.isEmpty()) << "an inner commit commits nothing";
        outer.commit();
    }
    EXPECT_EQ(heard.changes, (QList<data::Change>{kNov5Shift2, kNovember}));
    EXPECT_FALSE(heard.insideTransaction);
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.vid_oper").toInt(), 1);
}

TEST_F(DbTest, ARolledBackWriteAnnouncesNothingThenOrLater) {
    Heard heard;
    // Left by an exception; an inner guard left uncommitted makes the outer commit refuse.
    try {
        data::Transaction t;
        insertKind("a");
        data::announce(kNov5Shift2);
        throw data::DbError("step failed");
    } catch (const data::DbError&) {
    }
    EXPECT_THROW(
        {
            data::Transaction outer;
            try {
                data::Transaction inner;
                data::announce(kNovember);
                throw data::DbError("step failed");
            } catch (const data::DbError&) {
            }
            outer.commit();
        },
        data::DbError);
    EXPECT_TRUE(heard.changes.isEmpty());
    {
        data::Transaction next;
        data::announce(data::Change::row(data::Subject::Worker, 7));
        next.commit();
    }
    EXPECT_EQ(heard.changes, (QList<data::Change>{data::Change::row(data::Subject::Worker, 7)}));
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.vid_oper").toInt(), 0);
}

TEST_F(DbTest, AWriteOutsideATransactionIsAnnouncedAtOnce) {
    Heard heard;
    data::announce(kNovember);
    EXPECT_EQ(heard.changes, (QList<data::Change>{kNovember}));
}

// A query that writes its table announces each stored and deleted row by its key.
TEST_F(DbTest, AQueryWithASubjectAnnouncesItsWritesByKey) {
    testdb::exec("insert into accounts_dep.vid_oper(id, vid) values (41, 'резка')");
    data::Dataset kinds("kinds");
    kinds.setSql("select id, vid from accounts_dep.vid_oper order by id");
    kinds.setUpdateTable("accounts_dep.vid_oper");
    kinds.setChangeSubject(data::Subject::OperationKind);
    kinds.open();
    Heard heard;
    {
        data::Transaction t;
        kinds.setValue("vid", "покраска");
        kinds.post();
        EXPECT_TRUE(heard.changes.isEmpty());
        t.commit();
    }
    kinds.remove();
    const data::Change kind41 = data::Change::row(data::Subject::OperationKind, 41);
    EXPECT_EQ(heard.changes, (QList<data::Change>{kind41, kind41}));
}

}  // namespace
