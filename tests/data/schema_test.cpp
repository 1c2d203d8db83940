#include "../support/test_database.h"
#include "data/data_module.h"
#include "data/shared_statements.h"

#include <QDate>

namespace {

using testdb::DbTest;

TEST_F(DbTest, GoodsRowAppearsAsProductAndCanBeDeletedThroughIzdel) {
    testdb::exec(
        "INSERT INTO cmn_gds_and_srv.gds_and_srv(s_caption, s_description, id_msm_bs, massa)"
        "VALUES('Ящик-12', '', 6, 2.5)");
    data::Dataset& products = *testdb::sharedData().products;
    products.open();
    ASSERT_EQ(products.recordCount(), 1);
    EXPECT_EQ(products.text("MARKA"), "Ящик-12");
    EXPECT_DOUBLE_EQ(products.asDouble("massa"), 2.5);
    products.setUpdateTable("accounts_dep.izdel");
    products.remove();
    products.close();
    EXPECT_EQ(testdb::scalar("select count(*) from cmn_gds_and_srv.gds_and_srv").toInt(), 0);
}

TEST_F(DbTest, WorkerFollowsIntoThePersonRegister) {
    testdb::exec("insert into accounts_dep.person(fio) values ('Сидоров С.С.')");
    const int id = testdb::scalar("select id from accounts_dep.person").toInt();
    EXPECT_EQ(
        testdb::scalar("select s_code from cmn_contractor.person where s_caption='Сидоров С.С.'")
            .toString(),
        QString::number(id));
    testdb::exec("update accounts_dep.person set fio='Сидоров С.' where id=" + QString::number(id));
    EXPECT_EQ(
        testdb::scalar("select s_caption from cmn_contractor.person where s_code::t_integer=" +
                       QString::number(id))
            .toString(),
        "Сидоров С.");
    testdb::exec("delete from accounts_dep.person");
    EXPECT_EQ(testdb::scalar("select count(*) from cmn_contractor.person").toInt(), 0);
}

TEST_F(DbTest, NewTimesheetRowSumsToItsOneDay) {
    testdb::exec("insert into accounts_dep.person(fio) values ('Рабочий')");
    testdb::exec(
        "insert into accounts_dep.h_tabel(smena, w_id, month, year, d5) values(1, 1, 11, 2022, 8)");
    data::Dataset& t = *testdb::sharedData().timesheetOf(1);
    t.setParam("mnth", 11);
    t.setParam("yea", 2022);
    t.open();
    ASSERT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.asInt("summ"), 8);
    EXPECT_EQ(t.asInt("d4"), 0);
    t.close();
}

TEST_F(DbTest, DayFirstLiteralsAndCyrillicUpperCase) {
    EXPECT_EQ(testdb::scalar("select '05.11.2022'::date").toDate(), QDate(2022, 11, 5));
    EXPECT_EQ(testdb::scalar("select upper('краска Ёж')").toString(), "КРАСКА ЁЖ");
    data::Dataset& c = testdb::sharedData().runOneRow("select '07.11.2022'::timestamp as v");
    EXPECT_EQ(c.value("v").toDateTime().date(), QDate(2022, 11, 7));
    c.close();
}

TEST_F(DbTest, EveryFixedTextRunsOnTheSchema) {
    data::SharedData& dm = testdb::sharedData();
    for (data::Dataset* q : {dm.workers, dm.products, dm.operations, dm.operationKinds}) {
        q->open();
        q->close();
    }
    for (int shift = 1; shift <= 4; ++shift) {
        data::Dataset* q = dm.journalOf(shift);
        q->setParam("data", QDate(2022, 11, 5));
        q->setParam("ok", "ta");
        q->open();
        EXPECT_EQ(q->fieldIndex("summa") >= 0, true);
        q->close();
    }
    for (int shift = 1; shift <= 3; ++shift) {
        data::Dataset* q = dm.timesheetOf(shift);
        q->setParam("mnth", 11);
        q->setParam("yea", 2022);
        q->open();
        q->close();
    }
    dm.operationDeletion.setParam("id", 0);
    dm.operationDeletion.exec();
}

TEST_F(DbTest, JournalHidesTaAndNullMarks) {
    testdb::exec("insert into accounts_dep.person(fio) values ('Рабочий')");
    testdb::exec(
        "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs, massa) values ('М1', 6, 1)");
    testdb::exec("insert into accounts_dep.vid_oper(vid) values ('Сборка')");
    testdb::exec("insert into accounts_dep.oper(vid, naimen, i_id, cena_new) values (1, 0, 1, 0)");
    testdb::exec(
        "insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, kol_vo, brak, cena, color, "
        "time, ok) values ('05.11.2022', 1, 1, 1, 1, 10, 1, 2.5, 0, 8, 'no'), "
        "('05.11.2022', 1, 1, 1, 1, 5, 0, 2.5, 0, 1, 'ta'), "
        "('05.11.2022', 1, 1, 1, 1, 5, 0, 2.5, 0, 1, null)");
    data::Dataset& j = *testdb::sharedData().journalOf(1);
    j.setParam("data", QDate(2022, 11, 5));
    j.setParam("ok", "ta");
    j.open();
    ASSERT_EQ(j.recordCount(), 1);
    EXPECT_DOUBLE_EQ(j.asDouble("summa"), 22.5);
    EXPECT_EQ(j.text("nmn"), "Готовая продукция");
    EXPECT_EQ(j.text("fio"), "Рабочий");
    j.close();
}

TEST(SharedStatements, JournalTextsDifferOnlyWhereTheyShould) {
    const QString s1 = data::statements::journal(1);
    EXPECT_TRUE(
        s1.contains("smena.smena=1 and smena.data=:data and ok!=:ok order by \nfio, "
                    "izdel.marka, vid_oper.vid, oper.naimen, color"));
    EXPECT_TRUE(
        data::statements::journal(3).endsWith("smena.smena=3 and smena.data=:data and "
                                              "ok<>:ok order by \nfio"));
    EXPECT_EQ(data::statements::products(),
              "select marka, id, nom, massa  from accounts_dep.IZDEL order by marka");
    EXPECT_EQ(data::statements::operations().count('\n'), 3);
    EXPECT_EQ(data::statements::shiftTimesheet(2).count('\n'), 4);
}

}  // namespace
