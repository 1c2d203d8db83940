#include "data/dataset.h"
#include "../support/test_database.h"
#include "data/data_module.h"
#include "data/db_error.h"
#include "data/statement_runner.h"
#include "data/transaction.h"

#include <QAbstractItemModelTester>
#include <QDate>

#include "data/dataset_model.h"

namespace {

using testdb::DbTest;

class DatasetTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        testdb::exec(
            "insert into accounts_dep.person(fio, s_staffpos_hl) values "
            "('Иванов Иван', 'Цех 1'), ('Ивашов Пётр', 'Цех 2'), ('Петров Олег', 'Цех 1'), "
            "('О''Брайен Шон', 'Цех 3'), ('иванова Анна', 'Цех 2')");
    }
};

TEST_F(DatasetTest, BindsCyrillicTextAndDateParameters) {
    testdb::exec(
        "insert into accounts_dep.smena(data, smena, w_id, ok) values "
        "('05.11.2022', 1, 1, 'да'), ('06.11.2022', 1, 2, 'no'), ('05.11.2022', 2, 3, 'no')");
    data::Dataset ds("q");
    ds.setSql("select w_id, ok from accounts_dep.smena where data=:data and ok<>:ok order by w_id");
    ds.setParam("data", QDate(2022, 11, 5));
    ds.setParam("ok", QStringLiteral("да"));
    ds.open();
    ASSERT_EQ(ds.recordCount(), 1);
    EXPECT_EQ(ds.asInt("W_ID"), 3);  // field names ignore letter case
    EXPECT_EQ(ds.text("ok"), "no");
}

TEST_F(DatasetTest, NavigatesByOneBasedRowNumbers) {
    data::Dataset& w = *testdb::sharedData().workers;
    w.open();
    ASSERT_EQ(w.recordCount(), 5);
    EXPECT_EQ(w.recNo(), 1);
    EXPECT_FALSE(w.eof());
    int visited = 0;
    for (w.first(); !w.eof(); w.next())
        ++visited;
    EXPECT_EQ(visited, 5);
    EXPECT_EQ(w.recNo(), 5);
    w.prior();
    EXPECT_EQ(w.recNo(), 4);
    w.setRecNo(99);
    EXPECT_EQ(w.recNo(), 5);
    w.setRecNo(2);
    EXPECT_EQ(w.text("fio"),
              testdb::scalar("select fio from accounts_dep.person order by fio offset 1 limit 1")
                  .toString());
    w.close();
    EXPECT_EQ(w.recordCount(), 0);
    EXPECT_EQ(w.recNo(), 0);
}

TEST_F(DatasetTest, FiltersFetchedRows) {
    data::Dataset& w = *testdb::sharedData().workers;
    w.open();
    struct {
        const char* filter;
        int rows;
    } cases[] = {
        {"fio like 'Ив%'", 3},  // letter case ignored: "иванова" matches too
        {"fio like 'ИВАН%'", 2}, {"fio like 'О'Б%'", 1},  // the apostrophe is matched literally
        {"fio like '''%'", 0},   {"fio like '%'", 5},    {"id=3", 1}, {"id=42", 0},
    };
    for (const auto& c : cases) {
        w.setFilter(QString::fromUtf8(c.filter));
        w.setFiltered(true);
        EXPECT_EQ(w.recordCount(), c.rows) << c.filter;
    }
    w.setFilter("fio like 'Пет%'");
    EXPECT_EQ(w.text("fio"), "Петров Олег");
    w.setFiltered(false);
    EXPECT_EQ(w.recordCount(), 5);
    // The filter stays on the closed query and applies at the next opening.
    w.setFiltered(true);
    w.close();
    w.open();
    EXPECT_EQ(w.recordCount(), 1);
    w.setFiltered(false);
    w.close();
}

// A search box's text is taken literally, whatever characters were typed or pasted into it.
TEST(RowFilter, TypedTextIsALiteralPrefix) {
    const QString typed[] = {
        "'",
        "%",
        "%'",
        "a%'b",
        "\\",
        "(",
        "[a-",
        "*?+",
        "$",
        "^",
        "\n",
        ".*",
        "  x  ",
        "\t",
        QString(QChar(0)),
        QString(QChar(0xD83D)),
        QString(QChar(0xDC00)) + "й",
    };
    for (const QString& t : typed) {
        const data::RowFilter f = data::RowFilter::parse(data::prefixFilter("fio", t));
        EXPECT_EQ(f.field(), "fio");
        EXPECT_TRUE(f.matches(t + "хвост")) << t.toStdString();
        EXPECT_FALSE(f.matches("х" + t)) << t.toStdString();
    }
}

TEST_F(DatasetTest, TableBackedPostAndDelete) {
    data::Dataset& k = *testdb::sharedData().operationKinds;
    k.open();
    EXPECT_EQ(k.recordCount(), 0);
    k.insert();
    k.setValue("VID", "Покраска");
    k.post();
    EXPECT_GT(k.asInt("id"), 0);
    k.insert();
    k.setValue("vid", "Сборка");
    k.post();
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.vid_oper").toInt(), 2);

    k.reopen();
    ASSERT_TRUE(k.locate("vid", "Сборка"));
    k.edit();
    k.setValue("vid", "Сварка");
    k.post();
    EXPECT_EQ(
        testdb::scalar("select count(*) from accounts_dep.vid_oper where vid='Сварка'").toInt(), 1);
    k.first();
    k.remove();
    EXPECT_EQ(k.recordCount(), 1);
    EXPECT_EQ(testdb::scalar("select vid from accounts_dep.vid_oper").toString(), "Сварка");
    k.close();
}

TEST_F(DatasetTest, RefusedStatementCarriesTheDriverMessage) {
    data::Dataset ds("broken");
    ds.setSql("select * from accounts_dep.no_such_table");
    try {
        ds.open();
        FAIL() << "no error";
    } catch (const data::DbError& e) {
        EXPECT_TRUE(e.message().contains("no_such_table")) << e.message().toStdString();
    }
    EXPECT_FALSE(ds.isOpen());
}

// A dataset read in parts has the server run its statement whole, in no cursor (a statement in a
// cursor is planned without parallel workers), and reads the rows it kept from a server cursor,
// every one in order. Nothing of it stays in the session: the statements after it are read whole,
// each in a transaction of its own, with no kept rows left.
TEST_F(DatasetTest, ReadInPartsRunsTheStatementWholeThenReadsEveryRowInOrder) {
    const QString sql =
        "select g, 'т' || (g % 7) as t, (select count(*) from pg_cursors) as cursors "
        "from generate_series(1, 45000) g order by g desc";
    data::Dataset big("big");
    big.setReadInParts(true);
    big.setSql(sql);
    big.open();
    ASSERT_EQ(big.recordCount(), 45000);
    EXPECT_EQ(big.asInt("cursors"), 0);
    EXPECT_EQ(big.asInt("g"), 45000);
    big.setRecNo(44999);
    EXPECT_EQ(big.asInt("g"), 2);
    EXPECT_EQ(big.text("t"), "т2");
    big.close();

    data::Dataset whole("whole");
    whole.setSql(
        "select (select count(*) from pg_cursors) as cursors, "
        "(now() = statement_timestamp())::int as own_transaction, "
        "(select count(*) from pg_class where relpersistence = 't') as kept");
    whole.open();
    EXPECT_EQ(whole.asInt("cursors"), 0);
    EXPECT_EQ(whole.asInt("own_transaction"), 1);
    EXPECT_EQ(whole.asInt("kept"), 0);
}

// Read a part at a time, the first part comes by a scan of the kept rows, before they are
// indexed; the rest follow along the index, made when the second part is asked for. Every row
// comes once and in order, on either side of the first part's size.
TEST_F(DatasetTest, ReadInPartsGivesTheFirstPartBeforeIndexingAndThenEveryRowInOrder) {
    const auto keptIndexes = [] {
        QSqlQuery q = data::runStatement(
            data::defaultDb(),
            "select count(*) from pg_indexes where tablename = 'plant_rows_in_parts'");
        return q.next() ? q.value(0).toInt() : -1;
    };
    for (const int total : {3999, 4000, 4001, 9000}) {
        SCOPED_TRACE(total);
        data::Dataset big("big");
        big.setReadInParts(true);
        big.setSql(
            QStringLiteral("select g from generate_series(1, %1) g order by g desc").arg(total));
        big.openFirstPart();
        EXPECT_EQ(big.recordCount(), std::min(total, 4000));
        EXPECT_EQ(big.allRowsRead(), total < 4000);
        EXPECT_EQ(keptIndexes(), 0);  // the first part came by a scan
        if (!big.allRowsRead()) {
            big.readMoreRows();
            EXPECT_EQ(keptIndexes(), big.allRowsRead() ? 0 : 1);
        }
        while (!big.allRowsRead())
            big.readMoreRows();
        ASSERT_EQ(big.recordCount(), total);
        bool inOrder = true;
        for (int r = 1; r <= total && inOrder; ++r) {
            big.setRecNo(r);
            inOrder = big.asInt("g") == total + 1 - r;
        }
        EXPECT_TRUE(inOrder);
        big.close();
        EXPECT_EQ(keptIndexes(), 0);  // the kept rows went with the read
    }
}

TEST_F(DatasetTest, NumericIdentifiersConvertWithoutLoss) {
    testdb::exec(
        "insert into cmn_department.department(id, s_caption) values (123456789012345, 'Цех')");
    data::Dataset ds("dep");
    ds.setSql("select id from cmn_department.department");
    ds.open();
    EXPECT_EQ(ds.asInt64("id"), 123456789012345LL);
}

TEST_F(DatasetTest, NumbersReadAsDigitsNeverAsExponents) {
    data::Dataset ds("numbers");
    ds.setSql(
        "select 100000::numeric as a, 1234567::numeric as b, 12.5::float8 as c, "
        "0.1::numeric as d, 100000::integer as e");
    ds.open();
    data::DatasetModel grid;
    std::vector<data::GridColumn> columns;
    for (const char* f : {"a", "b", "c", "d", "e"})
        columns.push_back({.field = f, .caption = f});
    grid.setColumns(columns);
    grid.setDataset(&ds);
    const struct {
        const char* field;
        const char* text;   // Dataset::text
        const char* shown;  // the grid, with the workstation's separator
    } cases[] = {
        {"a", "100000", "100000"}, {"b", "1234567", "1234567"}, {"c", "12.5", "12,5"},
        {"d", "0.1", "0,1"},       {"e", "100000", "100000"},
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ds.text(cases[i].field), cases[i].text) << cases[i].field;
        EXPECT_EQ(grid.index(0, i).data().toString(), cases[i].shown) << cases[i].field;
    }
}

TEST_F(DatasetTest, TransactionRollsBackWhenLeftWithoutCommit) {
    try {
        data::Transaction t;
        data::Command c("c", "insert into accounts_dep.vid_oper(vid) values ('x')");
        c.exec();
        throw data::DbError("step failed");
    } catch (const data::DbError&) {
    }
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.vid_oper").toInt(), 0);
    {
        data::Transaction t;
        data::Command("c", "insert into accounts_dep.vid_oper(vid) values ('y')").exec();
        t.commit();
    }
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.vid_oper").toInt(), 1);
}

TEST_F(DatasetTest, GridAdapterPassesTheModelTester) {
    data::Dataset& w = *testdb::sharedData().workers;
    data::DatasetModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setColumns(
        {{.field = "fio", .caption = "ФИО"}, {.field = "s_staffpos_hl", .caption = "Должность"}});
    model.setDataset(&w);
    w.open();
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.index(0, 0).data().toString(), "Иванов Иван");
    w.setFilter("fio like 'Пет%'");
    w.setFiltered(true);
    EXPECT_EQ(model.rowCount(), 1);
    w.setFiltered(false);
    w.close();
    EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace
