#include "printing/prepare.h"
#include "../support/report_items.h"
#include "../support/test_database.h"
#include "example_layout.h"
#include "report_rows.h"

#include <gmock/gmock.h>

using namespace printing;
using testing::ElementsAre;
using testing_support::itemWithText;

namespace {

const QString kColumns = QStringLiteral("n, fio, nom, naimen, vid, kolvo, summa");

std::unique_ptr<data::Dataset> twoWorkers() {
    return rowsDataset(kColumns,
                       "(1, 'Иванов И.И.', 'Коробка', 0, 'Сборка', 10, 100.5),"
                       "(2, 'Иванов И.И.', 'Коробка', 1, 'Покраска', 5, 20.25),"
                       "(3, 'Иванов И.И.', 'Ящик', 0, 'Сборка', 3, 1134.0),"
                       "(4, 'Петров П.П.', 'Коробка', 0, 'Сборка', 2, 7.125)");
}

class PrepareTest : public testdb::DbTest {};

TEST_F(PrepareTest, GroupsPrintTheirOwnSumsInnermostFirstAndTheReportTotal) {
    auto ds = twoWorkers();
    ds->setRecNo(3);
    const Layout layout = exampleLayout("Отчет по рабочим");
    const PreparedReport r = prepare(layout, *ds);
    ASSERT_EQ(r.pages.size(), 1u);
    const QStringList expected{"Отчет по рабочим",
                               "Количество",
                               "Вид",
                               "Операция",
                               "Сумма",  // headers
                               "Иванов И.И.",
                               "Коробка",  // both group headers
                               "Готовая продукция",
                               "Сборка",
                               "10",
                               "100,500",  //
                               "Заготовки",
                               "Покраска",
                               "5",
                               "20,250",  //
                               "15",
                               "120,750",  // footer of Коробка
                               "Ящик",     // inner header only
                               "Готовая продукция",
                               "Сборка",
                               "3",
                               "1134,000",  //
                               "3",
                               "1134,000",  // footer of Ящик
                               "1254,75",   // footer of Иванов
                               "Петров П.П.",
                               "Коробка",
                               "Готовая продукция",
                               "Сборка",
                               "2",
                               "7,125",  //
                               "2",
                               "7,125",
                               "7,13",  // 7.125 rounds up
                               "Итого:",
                               "1261,88",  // 1261.875
                               "Страница 1 из 1"};
    EXPECT_EQ(r.texts(0), expected);
    EXPECT_EQ(ds->recNo(), 3);  // the cursor stays where it was

    // Positions are mm from the page corner: margin + item offset, bands stacked.
    EXPECT_EQ(itemWithText(r, 0, "Отчет по рабочим").rectMm.topLeft(), QPointF(10.3, 10));
    EXPECT_EQ(itemWithText(r, 0, "Вид").rectMm, QRectF(23.2, 18.2, 40, 5));
    const QRectF pageNo = itemWithText(r, 0, "Страница 1 из 1").rectMm;
    EXPECT_NEAR(pageNo.bottom(), 287, 1e-9);
    EXPECT_EQ(r.style(itemWithText(r, 0, "Итого:")).font.pointSize, 11);
    EXPECT_TRUE(r.style(itemWithText(r, 0, "Итого:")).font.bold);

    // Preparing again starts every sum from zero.
    EXPECT_EQ(prepare(layout, *ds).texts(0), expected);
}

TEST_F(PrepareTest, EmptyDatasetPrintsHeaderZeroTotalAndPageNumber) {
    auto ds = rowsDataset(kColumns, "(1, 'x', 'x', 0, 'x', 1, 1.0)");
    ds->setFilter("n=2");
    ds->setFiltered(true);
    ASSERT_EQ(ds->recordCount(), 0);
    const PreparedReport r = prepare(exampleLayout("Пусто"), *ds);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_THAT(r.texts(0), ElementsAre("Пусто", "Количество", "Вид", "Операция", "Сумма",
                                        "Итого:", "0,00", "Страница 1 из 1"));
}

// Bands of round heights on an A4 portrait page, margins 10 mm, page footer 10 mm: the body
// runs from 10 to 277 mm.
Layout pagingLayout() {
    Layout l;
    Group g;
    g.field = "g";
    g.header.push_back(band(20).add(fieldText("g")));
    g.footer.push_back(band(30).add(fixedText("конец ").at(0, 20)).add(fieldText("g").at(20, 20)));
    l.groups.push_back(g);
    l.detail = band(45).add(fieldText("n"));
    l.pageFooter = band(10).add(pageNumber());
    return l;
}

TEST_F(PrepareTest, InnermostGroupHeaderMovesToTheNextPageWithItsFooter) {
    // Group A: header 10..30, four rows to 210, footer to 240. B's header alone would fit (260),
    // but not with its footer (290 > 277).
    auto ds = rowsDataset("n, g", "(1,'A'),(2,'A'),(3,'A'),(4,'A'),(5,'B')");
    const PreparedReport r = prepare(pagingLayout(), *ds);
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_THAT(r.texts(0), ElementsAre("A", "1", "2", "3", "4", "конец ", "A", "1"));
    EXPECT_THAT(r.texts(1), ElementsAre("B", "5", "конец ", "B", "2"));
    EXPECT_DOUBLE_EQ(itemWithText(r, 1, "B").rectMm.top(), 10);
}

TEST_F(PrepareTest, GroupHeaderIsNotLeftAloneWhenItsFirstRowMoves) {
    // Header 10..25, group A 25..45, six rows to 225, footer to 235. B's header and footer would
    // fit (265), but its first row would not with the repeated header's room, so B moves whole.
    Layout l = pagingLayout();
    l.repeatedHeader.push_back(band(15).add(fixedText("Шапка")));
    l.groups[0].footer = {band(10).add(fixedText("конец"))};
    l.detail = band(30).add(fieldText("n"));
    auto ds = rowsDataset("n, g", "(1,'A'),(2,'A'),(3,'A'),(4,'A'),(5,'A'),(6,'A'),(7,'B')");
    const PreparedReport r = prepare(l, *ds);
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_THAT(r.texts(0), ElementsAre("Шапка", "A", "1", "2", "3", "4", "5", "6", "конец", "1"));
    EXPECT_THAT(r.texts(1), ElementsAre("Шапка", "B", "7", "конец", "2"));
}

TEST_F(PrepareTest, DetailRowKeepsRoomForTheRepeatedHeaderAndPagesAreNumbered) {
    Layout l;
    l.repeatedHeader.push_back(band(15).add(fixedText("Шапка")));
    l.detail = band(30).add(fieldText("n"));
    l.pageFooter = band(10).add(pageNumber("%1/%2"));
    // Header 10..25, seven rows to 235; the eighth would fit (265) but not with a header's
    // height after it (280 > 277), so it opens page 2 under the repeated header.
    QStringList values;
    for (int i = 1; i <= 16; ++i)
        values << QString("(%1)").arg(i);
    auto ds = rowsDataset("n", values.join(','));
    const PreparedReport r = prepare(l, *ds);
    ASSERT_EQ(r.pages.size(), 3u);
    EXPECT_THAT(r.texts(0), ElementsAre("Шапка", "1", "2", "3", "4", "5", "6", "7", "1/3"));
    EXPECT_THAT(r.texts(1), ElementsAre("Шапка", "8", "9", "10", "11", "12", "13", "14", "2/3"));
    EXPECT_THAT(r.texts(2), ElementsAre("Шапка", "15", "16", "3/3"));
    EXPECT_DOUBLE_EQ(itemWithText(r, 1, "8").rectMm.top(), 25);
}

TEST_F(PrepareTest, NumbersPrintThroughMasksWithTheLocaleSeparator) {
    struct {
        const char* value;
        const char* mask;
        const char* text;
    } cases[] = {
        {"1234.5", "#0.000", "1234,500"},
        {"1234.5", "#0.00", "1234,50"},
        {"1234.5", "#0", "1235"},
        {"2.4", "#0", "2"},
        {"-2.5", "#0", "-3"},
        {"1.005", "#0.00", "1,01"},
        {"1234.5", "", "1234,5"},
        {"0.0001", "#0.00", "0,00"},
        {"-0.001", "#0.00", "0,00"},
    };
    for (const auto& c : cases) {
        Layout l;
        l.detail = band(5).add(fieldText("v", c.mask));
        l.reportFooter.push_back(band(5).add(sumOf("v", c.mask, SumReset::Never)));
        auto ds = rowsDataset("v", QString("(%1::numeric)").arg(c.value));
        // The field of the row, then the sum of that one row.
        EXPECT_THAT(prepare(l, *ds).texts(0), ElementsAre(c.text, c.text))
            << c.value << " " << c.mask;
    }
}

TEST_F(PrepareTest, MoneySumsDoNotDriftOverManyRows) {
    // Added up in binary, 3000 rows of 0.35 give 1050.00000000004; the total is exactly 1050.
    Layout l;
    l.reportFooter.push_back(band(5)
                                 .add(sumOf("v", "", SumReset::Never))
                                 .add(sumOf("v", "#0.000", SumReset::Never).at(50)));
    auto ds = queryDataset("select 0.35::numeric as v from generate_series(1, 3000)");
    EXPECT_THAT(prepare(l, *ds).texts(0), ElementsAre("1050", "1050,000"));
}

TEST_F(PrepareTest, TitleGrowsWithItsTextAndPushesTheBandsBelow) {
    auto ds = twoWorkers();
    const QString shortTitle = "Отчет";
    const PreparedReport small = prepare(exampleLayout(shortTitle), *ds);
    const QRectF smallBox = itemWithText(small, 0, shortTitle).rectMm;
    EXPECT_GT(smallBox.width(), 5);
    EXPECT_LT(smallBox.width(), 30);

    const QString longTitle = QString("Детальный отчет по рабочим за период ").repeated(6);
    const PreparedReport big = prepare(exampleLayout(longTitle), *ds);
    const QRectF bigBox = itemWithText(big, 0, longTitle).rectMm;
    EXPECT_NEAR(bigBox.width(), 190 - 0.3, 1e-9);  // up to the right margin, then wraps
    EXPECT_GT(bigBox.height(), 7.7);
    EXPECT_TRUE(big.style(itemWithText(big, 0, longTitle)).wrap);
    EXPECT_NEAR(itemWithText(big, 0, "Вид").rectMm.top(), bigBox.bottom() + 0.5, 1e-9);
}

TEST_F(PrepareTest, WrappingColumnsKeepTheirWidthAndMakeTheirRowTaller) {
    Layout l;
    l.detail = band(5)
                   .add(fieldText("a").at(0, 20).wrapping())
                   .add(fieldText("b").at(20, 30).wrapping())
                   .add(fieldText("n").at(50, 10));
    const QString longText = QString("Кол-во: 38 → 40; ").repeated(6).trimmed();
    auto ds =
        rowsDataset("n, a, b", QString("(1, '%1', 'коротко'), (2, 'второй', 'ряд')").arg(longText));
    const PreparedReport r = prepare(l, *ds);
    const PreparedItem& wrapped = itemWithText(r, 0, longText);
    EXPECT_NEAR(wrapped.rectMm.width(), 20, 1e-9);  // neither widened nor shrunk
    EXPECT_GT(wrapped.rectMm.height(), 15);         // several lines
    EXPECT_TRUE(r.style(wrapped).wrap);
    EXPECT_EQ(r.style(wrapped).font.pointSize, 10);  // never made smaller
    // The whole row is as tall as its longest text; the next row starts below it.
    EXPECT_NEAR(itemWithText(r, 0, "коротко").rectMm.height(), wrapped.rectMm.height(), 1e-9);
    EXPECT_NEAR(itemWithText(r, 0, "второй").rectMm.top(), wrapped.rectMm.bottom(), 1e-9);
    EXPECT_NEAR(itemWithText(r, 0, "второй").rectMm.height(), 5, 1e-9);
    EXPECT_TRUE(testing_support::misfits(r).isEmpty())
        << testing_support::misfits(r).join('\n').toStdString();
}

}  // namespace
