#include "refbooks/operations_statements.h"
#include "data/product_kind.h"
#include "refbooks/norms_rules.h"

#include <gtest/gtest.h>

namespace {

namespace ops = refbooks::operations;
namespace norms = refbooks::norms;

TEST(OperationStatements, TextsAreExact) {
    EXPECT_EQ(
        ops::duplicateOnAdd(7, 1, 42),
        "select count(ID) as cnt from accounts_dep.OPER where vid=7 and naimen=1 and i_id=42");
    EXPECT_EQ(ops::duplicateOnChange(7, 0, 42, 9),
              "select count(*) as cnt from accounts_dep.OPER where vid=7 and naimen=0 and i_id=42 "
              "and id<>9");
    EXPECT_EQ(ops::insertOperation(7, 1, 42),
              "insert into accounts_dep.oper(vid, naimen, i_id, cena_new)values (7, 1, 42, 0) "
              "returning id");
    EXPECT_EQ(ops::updateOperation(7, 0, 42, 9),
              "update accounts_dep.oper set vid=7, naimen=0,  i_id=42 where id=9");
    EXPECT_EQ(ops::insertFirstNorm(),
              "insert into accounts_dep.norm(o_id, price) \nvalues (:o_id, :price)");
    EXPECT_EQ(ops::productMark(42), "select marka from accounts_dep.izdel where id=42");
    EXPECT_EQ(ops::priceList(),
              "select izdel.MARKA, vid_oper.VID, oper.NAIMEN,(SELECT (CASE naimen WHEN 0 THEN "
              "'Готовая продукция' ELSE 'Заготовки' END)) as nmn, oper.CENA_new as cena, oper.id, "
              "oper.i_id,\n oper.VID as oper_vid from accounts_dep.OPER,accounts_dep.IZDEL,"
              "accounts_dep.VID_OPER where OPER.i_id=IZDEL.id \nand oper.vid=vid_oper.id order by "
              "izdel.marka, vid_oper.vid, oper.naimen");
}

TEST(OperationStatements, SearchFilterIsTheTypedPrefixAndOffWhenBlank) {
    EXPECT_EQ(ops::markFilter("Ст "), "marka like 'Ст %'");
    EXPECT_EQ(ops::markFilter(""), "");
    EXPECT_EQ(ops::markFilter("   "), "");
}

TEST(PricingRule, DayOffDoublesThenTheShiftSurcharge) {
    const struct {
        int shift;
        bool dayOff;
        double price;
    } cases[] = {{1, false, 10}, {2, false, 10}, {3, false, 12}, {4, false, 15},
                 {1, true, 20},  {2, true, 20},  {3, true, 24},  {4, true, 30}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ops::finalPrice(10, c.dayOff, c.shift), c.price)
            << "shift " << c.shift << " day off " << c.dayOff;
}

TEST(PricingRule, OperationTextIsMarkKindAndProductKind) {
    EXPECT_EQ(ops::operationText(" М-1 ", " резка ", 0), "М-1; резка; Готовая продукция");
    EXPECT_EQ(ops::operationText("М-1", "резка", 1), "М-1; резка; Заготовки");
    EXPECT_EQ(data::productKindText(5), "Заготовки");
}

TEST(NormRules, TableStatementIsExact) {
    EXPECT_EQ(norms::normsTableStatement(), "select * from accounts_dep.norm order by norma");
}

// A cell reads its whole text by the rule of its box, as the product's "Расценка" does.
TEST(NormRules, CellsTheTableCanHoldAreTakenOthersRefused) {
    const struct {
        const char* field;
        const char* text;
        QVariant value;  // invalid: refused
    } cases[] = {
        {"price", "12,5", 12.5},      {"price", "12.5", 12.5},
        {"price", " 7 ", 7.0},        {"price", "abc", {}},
        {"price", "-1", {}},          {"price", "1e400", {}},
        {"price", "1e308", {}},       {"price", "1E5", {}},
        {"price", "+7", {}},          {"price", "7,5,", {}},
        {"price", "١٢", {}},          {"price", "12 345", {}},
        {"norma", "300", 300},        {"norma", "2147483647", 2147483647},
        {"norma", "99999999999", {}}, {"norma", "1,5", {}},
        {"norma", "-3", {}},          {"norma", "+3", {}},
        {"prize", "15", 15},          {"prize", "x", {}},
        {"prize", "-5", {}},          {"prize", "1e2", {}},
    };
    for (const auto& c : cases) {
        const norms::CellValue cell = norms::parseCell(c.field, QString::fromUtf8(c.text));
        if (c.value.isValid()) {
            EXPECT_TRUE(cell.problem.isEmpty()) << c.field << " " << c.text;
            EXPECT_EQ(cell.value.toDouble(), c.value.toDouble()) << c.field << " " << c.text;
        } else {
            EXPECT_FALSE(cell.problem.isEmpty()) << c.field << " " << c.text;
        }
    }
    const norms::CellValue empty = norms::parseCell("price", " ");
    EXPECT_TRUE(empty.problem.isEmpty());
    EXPECT_TRUE(empty.value.isNull());
    EXPECT_EQ(norms::parseCell("norma", "99999999999").problem,
              "Норматив должен быть целым числом от 0 до 2147483647.");
    EXPECT_EQ(norms::parseCell("prize", "-5").problem,
              "Премия, % должна быть целым числом от 0 до 2147483647.");
    EXPECT_EQ(norms::parseCell("price", "1e308").problem,
              "Цена должна быть неотрицательным числом, например 12,5.");
}

// What a cell's box holds for editing reads back by the cell's own rule.
TEST(NormRules, EditTextReadsBackByTheCellsRule) {
    const struct {
        const char* field;
        QVariant stored;
        const char* text;
    } cases[] = {
        {"price", 12.5, "12,5"},
        {"price", 7.0, "7"},
        {"price", 12345.25, "12345,25"},
        {"price", 1e20, "100000000000000000000"},
        {"price", 0.1, "0,1"},
        {"norma", 300, "300"},
        {"prize", 0, "0"},
        {"price", QVariant(), ""},
    };
    for (const auto& c : cases) {
        const QString text = norms::editText(c.field, c.stored);
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.field << " " << c.text;
        if (!text.isEmpty()) {
            EXPECT_EQ(norms::parseCell(c.field, text).value.toDouble(), c.stored.toDouble())
                << c.text;
        }
    }
}

TEST(NormRules, APriceIsRequiredAndShownWithTwoToThreeDecimals) {
    EXPECT_EQ(norms::rowProblem(QVariant(QMetaType::fromType<double>())), "Укажите цену нормы.");
    EXPECT_EQ(norms::rowProblem(0.0), "");
    EXPECT_EQ(norms::priceText(7.0), "7,00");
    EXPECT_EQ(norms::priceText(12.125), "12,125");
    EXPECT_EQ(norms::priceText(0.5), "0,50");
}

}  // namespace
