#include "entry/entry_statements.h"

#include "../support/qt_printers.h"
#include "entry_fixture.h"

#include <gtest/gtest.h>

namespace {

using namespace entry;
using entrytest::workedExample;

TEST(EntryStatements, WorkedExample) {
    const EntryValues v = workedExample();
    EXPECT_EQ(insertStatement(v),
              "insert into accounts_dep.SMENA(w_id, i_id, o_id, cena, kol_vo, brak, data, smena, "
              "color, time, vvod,ok, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, "
              "id_cons_use) values(17, 31, 240, 12.5,120, 2, to_date('05.11.2022', 'DD.MM.YYYY "
              "HH24:MI:SS'), 2, 0, 8, '07.11.2022', 'no', 0, 0, 0, 0, 0, 0)");
    EXPECT_EQ(duplicateCountStatement(v),
              "select count(id) as cnt from accounts_dep.SMENA where w_id=17 and o_id=240 and "
              "i_id=31 and data=to_date('05.11.2022', 'DD.MM.YYYY') and smena=2 and color=0");
}

TEST(EntryStatements, ChangeRewritesAllButTheMarkAndExcludesItselfFromTheCount) {
    EntryValues v = workedExample();
    v.colour = 7;
    v.quantity = QStringLiteral(" 007 ");  // typed digits travel as typed, trimmed
    EXPECT_EQ(updateStatement(v, 901),
              "update accounts_dep.SMENA set w_id=17, i_id=31, o_id=240, cena=12.5, kol_vo=007, "
              "brak=2, data=to_date('05.11.2022', 'DD.MM.YYYY'), smena=2, color=7, time=8, "
              "vvod='07.11.2022', prize=0, id_doc=0, id_doc_item=0, f_gds_qty_use=0, "
              "id_gds_use=0, id_cons_use=0 where id=901");
    EXPECT_EQ(duplicateCountStatement(v, 901),
              "select count(id) as cnt from accounts_dep.SMENA where w_id=17 and o_id=240 and "
              "i_id=31 and data=to_date('05.11.2022', 'DD.MM.YYYY') and smena=2 and id<>901 "
              "and color=7");
}

TEST(EntryStatements, PriceTextCarriesAPointAndFourDecimalsTiesToEven) {
    const struct {
        double price;
        const char* text;
    } cases[] = {{12.5, "12.5"},      {300, "300"}, {0.03125, "0.0312"},
                 {0.09375, "0.0938"}, {15, "15"},   {0.0001, "0.0001"}};
    for (const auto& c : cases)
        EXPECT_EQ(priceText(c.price), QString::fromLatin1(c.text)) << c.price;
}

TEST(EntryStatements, ColourNumberIsA32BitIntegerOrNothing) {
    const struct {
        const char* text;
        std::optional<int> number;
    } cases[] = {{"", 0},
                 {"  ", 0},
                 {"007", 7},
                 {" 15 ", 15},
                 {"2147483647", 2147483647},
                 {"2147483648", std::nullopt},
                 {"12345678901", std::nullopt},
                 {"99999999999999999999", std::nullopt},
                 {"-1", std::nullopt},  // the box takes digits only
                 {"+1", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(colourNumber(QString::fromLatin1(c.text)), c.number) << c.text;
}

TEST(EntryStatements, ValuesAtTheLimitsOfTheirColumnsAndOfADayPass) {
    EntryValues v = workedExample();
    v.hours = QStringLiteral("024");
    v.quantity = QStringLiteral("2147483647");
    v.defects = QStringLiteral("2147483647");
    v.price = 1e300;
    EXPECT_EQ(valueRefusal(v), std::nullopt);
    v.hours = QStringLiteral("25");
    EXPECT_EQ(valueRefusal(v), QString::fromUtf8(kBadHoursMessage));
}

// The digit boxes take the digits 0-9 alone; a text set past that rule is refused as it would be
// typed, never written into the statement.
TEST(EntryStatements, DigitBoxesTextPastTheirRuleIsRefused) {
    const struct {
        QString EntryValues::*box;
        const char* text;
        const char* refusal;
    } cases[] = {
        {&EntryValues::quantity, "-5", kBadQuantityMessage},
        {&EntryValues::quantity, "+5", kBadQuantityMessage},
        {&EntryValues::quantity, "٥", kBadQuantityMessage},
        {&EntryValues::defects, "-1", kBadDefectsMessage},
        {&EntryValues::hours, "-3", kBadHoursMessage},
        {&EntryValues::hours, "+8", kBadHoursMessage},
    };
    for (const auto& c : cases) {
        EntryValues v = workedExample();
        v.*c.box = QString::fromUtf8(c.text);
        EXPECT_EQ(valueRefusal(v), QString::fromUtf8(c.refusal)) << c.text;
    }
}

TEST(EntryStatements, PaintOperationsAreFoundByTheirUpperCasedText) {
    EXPECT_TRUE(isPaintOperation(QStringLiteral("М-31; покраска; Заготовки")));
    EXPECT_TRUE(isPaintOperation(QStringLiteral("М-31; КРАСКА серая; Готовая продукция")));
    EXPECT_FALSE(isPaintOperation(QStringLiteral("М-31; Сварка; Готовая продукция")));
    EXPECT_FALSE(isPaintOperation(QStringLiteral("KPACKA")));  // Latin look-alikes
}

TEST(EntryStatements, LockKeyNamesEveryPartOfTheDuplicateKey) {
    const EntryValues v = workedExample();
    EXPECT_EQ(duplicateLockKey(v), "smena:17:240:31:05.11.2022:2:0");
    EntryValues other = v;
    other.quantity = QStringLiteral("5");  // not part of the key
    EXPECT_EQ(duplicateLockKey(other), duplicateLockKey(v));
    other.colour = 3;
    EXPECT_NE(duplicateLockKey(other), duplicateLockKey(v));
}

}  // namespace
