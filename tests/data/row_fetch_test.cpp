#include "data/row_fetch.h"
#include "../support/test_database.h"
#include "data/column_store.h"
#include "data/connection.h"
#include "data/statement_runner.h"

#include <QDate>
#include <QSqlRecord>

namespace {

using testdb::DbTest;

// What QSqlQuery::value() gives for every cell, the reference the block fetch must match.
std::vector<QVariant> valueByValue(const QString& sql) {
    QSqlQuery q = data::runStatement(data::defaultDb(), sql);
    std::vector<QVariant> cells;
    const int columns = q.record().count();
    while (q.next())
        for (int c = 0; c < columns; ++c)
            cells.push_back(q.value(c));
    return cells;
}

std::vector<QVariant> fetched(const QString& sql, bool forwardOnly = true) {
    QSqlQuery q = data::runStatement(data::defaultDb(), sql, {}, forwardOnly);
    data::ColumnStore rows;
    data::fetchRows(q, rows);
    std::vector<QVariant> cells;
    for (int r = 0; r < rows.rowCount(); ++r)
        for (int c = 0; c < rows.columnCount(); ++c)
            cells.push_back(rows.value(r, c));
    return cells;
}

void expectSameCells(const std::vector<QVariant>& got, const std::vector<QVariant>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "cell " << i);
        EXPECT_EQ(got[i].typeId(), want[i].typeId());
        EXPECT_EQ(got[i].isNull(), want[i].isNull());
        EXPECT_EQ(got[i], want[i]);
    }
}

class RowFetchTest : public DbTest {};

TEST_F(RowFetchTest, EveryColumnTypeAndNullArrivesAsTheDriverTypesIt) {
    const QStringList statements = {
        // One of each type the journals, reference books and reports select, then NULLs.
        "select * from (values "
        "(1::int4, 2::int8, 3::int2, 1.25::numeric(15,2), 7::t_id, 2.5::float8, 1.5::float4, "
        "date '2022-11-30', time '13:45:10', timestamp '2022-11-30 13:45:10.250', "
        "'Иванов Пётр'::text, 'ab'::varchar(10), true, E'строка\\nвторая'::text, ''::text, "
        "'x'::char(3)), "
        "(null, null, null, null, null, null, null, null, null, null, null, null, null, null, "
        "null, null)) v",
        // More rows than one block, in their order.
        "select g, 'строка ' || g, g * 0.5 from generate_series(1, 257) g",
        // Texts repeated (kept once each) beside texts nearly all different (kept one by one
        // once there are many), NULLs among both.
        "select case when g % 5 = 0 then null else 'т' || (g % 3) end, "
        "case when g % 7 = 0 then null else 'у' || g end, g::int8 "
        "from generate_series(1, 3000) g",
        // Values around and far beyond a bound text buffer, amid short ones in the same block.
        "select g, case g when 3 then repeat('я', 511) when 4 then repeat('ю', 512) "
        "when 5 then repeat('ж', 513) when 150 then repeat('ё', 20000) "
        "when 151 then repeat('д', 9000) || 'конец' else 'к' || g end "
        "from generate_series(1, 160) g",
        // Values at the edges of their types.
        "select 'infinity'::date, '-infinity'::timestamp, 2147483647::int4, "
        "(-9223372036854775807)::int8, 123456789012345::t_id, time '23:59:59.999'",
        // Numbers as the server spells them: infinities, the ends of float8, float4, numerics
        // longer than a number's buffer.
        "select 'Infinity'::float8, '-Infinity'::float8, 1e300::float8, 2.2250738585072014e-308::"
        "float8, 0.1::float4, (-0.000001)::numeric, 12345678901234567890.123456789::numeric, "
        "repeat('9', 60)::numeric, ('0.' || repeat('3', 70))::numeric",
        // A type the block fetch leaves to the per-value path.
        "select 1::int4, '\\x0102'::bytea, 'б'::text",
        // No rows at all.
        "select 1::int4, 'a'::text where false",
    };
    for (const QString& sql : statements) {
        SCOPED_TRACE(sql.toStdString());
        expectSameCells(fetched(sql), valueByValue(sql));
    }
}

// Read in parts of any size, the rows are those of a whole read, and the read says when it
// has ended.
TEST_F(RowFetchTest, PartsMakeTheWholeResult) {
    const QString sql = "select g, 'строка ' || g, g * 0.5 from generate_series(1, 257) g";
    const std::vector<QVariant> whole = valueByValue(sql);
    for (const int part : {1, 100, 257, 300}) {
        SCOPED_TRACE(part);
        QSqlQuery q = data::runStatement(data::defaultDb(), sql, {}, true);
        data::ColumnStore rows;
        data::RowFetch fetch(q, rows);
        int parts = 0;
        while (!fetch.fetch(part)) {
            ++parts;
            EXPECT_GE(rows.rowCount(), parts * part);
            EXPECT_LE(rows.rowCount(), 257);
        }
        EXPECT_TRUE(fetch.atEnd());
        EXPECT_TRUE(fetch.fetch(part));
        std::vector<QVariant> cells;
        for (int r = 0; r < rows.rowCount(); ++r)
            for (int c = 0; c < rows.columnCount(); ++c)
                cells.push_back(rows.value(r, c));
        expectSameCells(cells, whole);
    }
    EXPECT_EQ(fetched("select 'дальше'::text").at(0).toString(), "дальше");
}

TEST_F(RowFetchTest, LongTextsComeWhole) {
    const std::vector<QVariant> cells =
        fetched("select repeat('ё', 20000), 1, repeat('ab', 300) || 'z'");
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0].toString(), QString(20000, QChar(u'ё')));
    EXPECT_EQ(cells[1].toInt(), 1);
    EXPECT_EQ(cells[2].toString().size(), 601);
    EXPECT_TRUE(cells[2].toString().endsWith("abz"));
}

TEST_F(RowFetchTest, ScrollableQueryKeepsItsOwnCursor) {
    const QString sql = "select g, 'x' || g from generate_series(1, 3) g";
    expectSameCells(fetched(sql, false), valueByValue(sql));
}

TEST_F(RowFetchTest, StatementWithoutResultSetGivesNoRows) {
    EXPECT_TRUE(fetched("update accounts_dep.person set fio = fio where false").empty());
}

TEST_F(RowFetchTest, TheConnectionServesTheNextStatementAfterwards) {
    fetched("select g from generate_series(1, 300) g");
    EXPECT_EQ(fetched("select 'дальше'::text").at(0).toString(), "дальше");
}

}  // namespace

namespace {

// Edits of stored rows keep every other cell as it was, whatever form its column is kept in.
TEST(ColumnStoreTest, EditsKeepTheOtherCellsAndTheirTypes) {
    data::ColumnStore rows;
    rows.reset({QMetaType::Int, QMetaType::QString, QMetaType::QDate});
    const QDate day(2026, 11, 30);
    for (int r = 0; r < 4; ++r) {
        rows.appendInt(0, r);
        rows.appendText(1, r % 2 ? u"нечет" : u"чет");
        if (r == 3)
            rows.appendNull(2);
        else
            rows.append(2, QVariant(day.addDays(r)));
        rows.endRows();
    }
    rows.set(1, 1, QVariant(QStringLiteral("новый")));  // a text not yet stored
    rows.set(2, 0, QVariant(QStringLiteral("x")));      // another type: kept as given
    rows.removeRow(0);
    rows.appendBlankRow();

    const QVariant want[4][3] = {
        {QVariant(1), QVariant(QStringLiteral("новый")), QVariant(day.addDays(1))},
        {QVariant(QStringLiteral("x")), QVariant(QStringLiteral("чет")), QVariant(day.addDays(2))},
        {QVariant(3), QVariant(QStringLiteral("нечет")), QVariant(QMetaType(QMetaType::QDate))},
        {QVariant(QMetaType(QMetaType::Int)), QVariant(QMetaType(QMetaType::QString)),
         QVariant(QMetaType(QMetaType::QDate))},
    };
    ASSERT_EQ(rows.rowCount(), 4);
    std::vector<QVariant> got, expected;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) {
            got.push_back(rows.value(r, c));
            expected.push_back(want[r][c]);
        }
    expectSameCells(got, expected);
}

}  // namespace
