#include "../support/qt_printers.h"
#include "../support/test_database.h"
#include "refbooks/operation_kinds_statements.h"
#include "refbooks/products_statements.h"
#include "refbooks/workers_statements.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

namespace workers = refbooks::workers;
namespace products = refbooks::products;
namespace kinds = refbooks::kinds;

struct TextCase {
    QString actual;
    QString expected;
};

TEST(BooksStatements, TextsAreExactAndQuoteUserText) {
    const TextCase cases[] = {
        {workers::nameFilter("Ив"), "fio like 'Ив%'"},
        // The filter keeps the text as typed: the data layer takes it as a literal prefix.
        {workers::nameFilter("О'Б"), "fio like 'О'Б%'"},
        {workers::insertWorker("Иванов И.И.", "Цех 1"),
         "INSERT INTO accounts_dep.person (fio, s_staffpos_hl)VALUES('Иванов И.И.', 'Цех 1')"},
        {workers::insertWorker("О'Брайен", ""),
         "INSERT INTO accounts_dep.person (fio, s_staffpos_hl)VALUES('О''Брайен', '')"},
        {workers::updateWorker("Петров", "Цех 2", 17),
         "UPDATE accounts_dep.person SET fio='Петров', s_staffpos_hl='Цех 2' where "
         "accounts_dep.person.id=17"},
        {workers::updateWorker("x'); drop table accounts_dep.smena; --", "d'", 3),
         "UPDATE accounts_dep.person SET fio='x''); drop table accounts_dep.smena; --', "
         "s_staffpos_hl='d''' where accounts_dep.person.id=3"},
        {workers::deleteWorker(42), "delete from accounts_dep.person where id =42"},
        {products::markFilter("М-1"), "marka like 'М-1%'"},
        {products::duplicateMarkOnAdd("краска"),
         "select count(*) as cnt from accounts_dep.izdel where upper(marka)='КРАСКА'"},
        {products::duplicateMarkOnChange("m'1", 5),
         "select count(*) as cnt from accounts_dep.izdel where upper(marka)='M''1'and id<>5"},
        {products::insertProduct("М-1", 2.5),
         "INSERT INTO cmn_gds_and_srv.gds_and_srv(s_caption, s_description, id_msm_bs, "
         "massa)VALUES('М-1', '', 6, 2.5)"},
        {products::insertProduct("O'K", 12),
         "INSERT INTO cmn_gds_and_srv.gds_and_srv(s_caption, s_description, id_msm_bs, "
         "massa)VALUES('O''K', '', 6, 12)"},
        {products::updateProduct(9, "М'2", 0.75),
         "UPDATE cmn_gds_and_srv.gds_and_srv SET s_caption='М''2', massa=0.75 WHERE id=9"},
        {kinds::nameFilter("Покр"), "vid like 'Покр%'"},
        {kinds::duplicateKindOnAdd("краска"),
         "select count(*) as cnt from accounts_dep.vid_oper where upper(vid)='КРАСКА'"},
        {kinds::duplicateKindOnChange("it's", 8),
         "select count(*) as cnt from accounts_dep.vid_oper where upper(vid)='IT''S' and id<>8"},
        // A backslash makes an escape string, read the same whatever the server's settings.
        {workers::insertWorker(R"(\', $$y$$); drop table accounts_dep.vid_oper; --)", "C:\\"),
         R"(INSERT INTO accounts_dep.person (fio, s_staffpos_hl)VALUES()"
         R"(E'\\'', $$y$$); drop table accounts_dep.vid_oper; --', E'C:\\'))"},
        {kinds::duplicateKindOnAdd("a\\b"),
         "select count(*) as cnt from accounts_dep.vid_oper where upper(vid)=E'A\\\\B'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST(BooksStatements, QuantityLiteralHasPointAndAtMost15Digits) {
    const std::pair<double, const char*> cases[] = {
        {2.5, "2.5"}, {12, "12"}, {0.1, "0.1"}, {1.0 / 3, "0.333333333333333"}, {1500, "1500"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(products::quantityLiteral(value), QString(text)) << value;
}

// The whole text is read as typing would have entered it: a pasted "." is the decimal comma, and
// what no key could type (a sign, an exponent, other scripts' digits) is no number.
TEST(BooksStatements, QuantityReadsWithDecimalCommaAndTheBoxsKeyRule) {
    EXPECT_DOUBLE_EQ(products::parseQuantity("2,5"), 2.5);
    EXPECT_DOUBLE_EQ(products::parseQuantity("12"), 12);
    EXPECT_DOUBLE_EQ(products::parseQuantity("1.5"), 1.5);
    for (const char* bad : {",", "2,5,", "1,,2", "abc", "-5", "1e308", "+1", " 1", "١٢", "1.5.2"})
        EXPECT_THROW(products::parseQuantity(QString::fromUtf8(bad)), std::invalid_argument) << bad;
}

// The refusal quotes the text whole up to its first 40 characters, a NUL included.
TEST(BooksStatements, AQuantityRefusalQuotesTheTextShortAndVisible) {
    const struct {
        QString text;
        QString message;
    } cases[] = {
        {"1e308", "'1e308' не является правильным числом"},
        {QString("7") + QChar(0) + "8", "'7\\u00008' не является правильным числом"},
        {QString(10000, QChar('9')),
         "'" + QString(40, QChar('9')) + "…' не является правильным числом"},
    };
    for (const auto& c : cases) {
        try {
            products::parseQuantity(c.text);
            ADD_FAILURE() << "taken: " << c.message.toStdString();
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), c.message);
        }
    }
}

// The user texts that once broke out of their literals, run on a session with either setting
// of standard_conforming_strings: each is stored and found as typed, and no table goes.
TEST(BooksStatements, HostileTextIsStoredAndFoundLiterallyUnderBothServerSettings) {
    testdb::ensureDatabase();
    const QString texts[] = {
        "О'Брайен",
        "x'); drop table accounts_dep.smena; --",
        R"(\', $$y$$); drop table accounts_dep.vid_oper; --)",
        R"(C:\temp\)",
        R"(\\')",
    };
    for (const char* setting : {"on", "off"}) {
        SCOPED_TRACE(setting);
        testdb::exec(QStringLiteral("SET standard_conforming_strings = ") + setting);
        for (const QString& text : texts) {
            SCOPED_TRACE(text.toStdString());
            testdb::reset();
            testdb::exec(workers::insertWorker(text, text));
            testdb::exec(workers::updateWorker(text + "1", text, 1));
            EXPECT_EQ(testdb::rows("select fio, s_staffpos_hl from accounts_dep.person"),
                      (QList<QVariantList>{{text + "1", text}}));
            testdb::exec(products::insertProduct(text, 1));
            EXPECT_EQ(testdb::scalar(products::duplicateMarkOnAdd(text)).toInt(), 1);
            testdb::exec(
                "insert into accounts_dep.vid_oper(vid) select fio from "
                "accounts_dep.person");
            EXPECT_EQ(testdb::scalar(kinds::duplicateKindOnAdd(text + "1")).toInt(), 1);
        }
        EXPECT_EQ(testdb::scalar("select to_regclass('accounts_dep.vid_oper') is not null and "
                                 "to_regclass('accounts_dep.smena') is not null")
                      .toBool(),
                  true);
    }
    testdb::exec("RESET standard_conforming_strings");
}

}  // namespace
