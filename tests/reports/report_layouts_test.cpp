// What the four printed layouts print: groups and their sums, masks, colour and kind texts.
#include "../support/report_items.h"
#include "report_fixture.h"

#include "printing/fonts.h"
#include "reports/report_window.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using printing::PreparedKind;
using reports_test::ReportTest;

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

class LayoutTest : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        worker(1, "Иванов И.И.");
        worker(2, "Петров П.П.");
        product(10, "М-10", "Ящик", 0.25);
        product(11, "К-11", "Коробка", 0.5);
        operationKind(1, "Сборка");
        operationKind(2, "Покраска");
        operation(100, 1, 0, 10);
        operation(101, 2, 0, 10);
        operation(110, 1, 0, 11);
        choose({2022, 11, 1}, {2022, 12, 1});
    }
};

TEST_F(LayoutTest, WorkerWithTwoProductNamesGetsTwoGroupSumsAndOneWorkerTotal) {
    entry({2022, 11, 2}, 1, 11, 110, 4, 0, 1);  // Иванов, Коробка: 4,000
    entry({2022, 11, 3}, 1, 10, 100, 2, 0, 3);  // Иванов, Ящик: 6 + 1
    entry({2022, 11, 4}, 1, 10, 101, 1, 0, 1);
    entry({2022, 11, 5}, 2, 10, 100, 12, 2, 0.5);  // Петров, Ящик: 10 good, 5,000

    reportWindow().run(workersReport());
    ASSERT_EQ(previews.size(), 1u);
    const auto& r = previews[0];
    EXPECT_EQ(textsAt(r, PreparedKind::Field, 0.3),
              (QStringList{"Иванов И.И.", "Коробка", "Ящик", "Петров П.П.", "Ящик"}));
    // Product name footers (#0.000) and worker footers (#0.00) share the column.
    EXPECT_EQ(textsAt(r, PreparedKind::Sum, 163.0),
              (QStringList{"4,000", "7,000", "11,00", "5,000", "5,00"}));
    EXPECT_EQ(textsAt(r, PreparedKind::Sum, 137.8), (QStringList{"4", "3", "10"}));
    EXPECT_EQ(textsAt(r, PreparedKind::Sum, 160.9), QStringList{"16,00"});
    EXPECT_EQ(allTexts(r).count("Итого:"), 1);
}

TEST_F(LayoutTest, BandsStackFromTheTopMargin) {
    entry({2022, 11, 2}, 1, 11, 110, 4, 0, 1);
    reportWindow().run(workersReport());
    ASSERT_EQ(previews.size(), 1u);
    const auto& r = previews[0];
    // Report header 4.2 + gap 0.5, worker header 6.6, name header 5.3, then the row.
    EXPECT_NEAR(itemWithText(r, 0, workersReport().title()).rectMm.top(), 10.0, 0.01);
    EXPECT_NEAR(itemWithText(r, 0, "Иванов И.И.").rectMm.top(), 14.7, 0.01);
    EXPECT_NEAR(itemWithText(r, 0, "Коробка").rectMm.top(), 21.3, 0.01);
    EXPECT_NEAR(itemWithText(r, 0, "Сборка").rectMm.top(), 26.6, 0.01);
    EXPECT_EQ(r.orientation, printing::Orientation::Portrait);
    EXPECT_EQ(r.title, "Отчет по рабочим");
}

TEST_F(LayoutTest, MoneyMasksUseTheDecimalComma) {
    entry({2022, 11, 2}, 1, 10, 100, 1, 0, 1234.5);
    reportWindow().run(workersReport());
    reportWindow().run(detailedWorkersReport());
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_EQ(textsAt(previews[0], PreparedKind::Field, 163.0), QStringList{"1234,500"});
    EXPECT_EQ(textsAt(previews[0], PreparedKind::Sum, 160.9), QStringList{"1234,50"});
    EXPECT_EQ(textsAt(previews[1], PreparedKind::Field, 169.9), QStringList{"1234,50"});
}

TEST_F(LayoutTest, ColourTextInPlainReportsNumberInDetailedOnes) {
    entry({2022, 11, 2}, 1, 10, 101, 1, 0, 1, 1);
    entry({2022, 11, 3}, 1, 10, 101, 1, 0, 1, 1013);
    entry({2022, 11, 4}, 1, 10, 100, 1, 0, 1, 0);
    reportWindow().run(workersReport());
    reportWindow().run(productsReport());
    reportWindow().run(detailedWorkersReport());
    reportWindow().run(detailedProductsReport());
    ASSERT_EQ(previews.size(), 4u);
    const QStringList printed{" ", " (RAL: 1013)", " (грунт)"};
    EXPECT_EQ(sorted(textsAt(previews[0], PreparedKind::Computed, 101.6)), printed);
    EXPECT_EQ(sorted(textsAt(previews[1], PreparedKind::Computed, 92.6)), printed);
    EXPECT_EQ(sorted(textsAt(previews[2], PreparedKind::Field, 73.6)),
              (QStringList{"0", "1", "1013"}));
    EXPECT_EQ(sorted(textsAt(previews[3], PreparedKind::Field, 81.2)),
              (QStringList{"0", "1", "1013"}));
    EXPECT_EQ(textsAt(previews[0], PreparedKind::Computed, 13.2),
              (QStringList(3, "Готовая продукция")));
}

TEST_F(LayoutTest, ProductReportSumsMassPerNameAndRoundsTheTotal) {
    entry({2022, 11, 2}, 1, 10, 100, 10, 2, 1);  // Ящик: 8 good, mass 2
    entry({2022, 11, 3}, 2, 10, 101, 3, 0, 1);   // Ящик: mass 0,75
    entry({2022, 11, 4}, 2, 11, 110, 1, 0, 1);   // Коробка: mass 0,5
    reportWindow().run(productsReport());
    ASSERT_EQ(previews.size(), 1u);
    const auto& r = previews[0];
    EXPECT_EQ(textsAt(r, PreparedKind::Field, 0.3), (QStringList{"Коробка", "Ящик"}));
    EXPECT_EQ(textsAt(r, PreparedKind::Sum, 133.6), (QStringList{"0,5", "2,75"}));
    EXPECT_EQ(textsAt(r, PreparedKind::Sum, 163.0), (QStringList{"1", "11"}));
    EXPECT_EQ(textsAt(r, PreparedKind::Sum, 131.2), QStringList{"3"});
    EXPECT_EQ(textsAt(r, PreparedKind::Sum, 160.9), QStringList{"12"});
    EXPECT_TRUE(r.texts(0).contains("Коробки"));
    EXPECT_TRUE(r.texts(0).contains("Количество"));
}

// Reports over names of a real plant's length: what printed names and kinds read whole, what is
// longer than any room beside it cut with "…", and no printed item runs into another.
class PlantNamesTest : public LayoutTest {
protected:
    // Operation kinds of the demo plant with whether they make finished goods (0) or blanks (1),
    // and its products (mark, name), read from its script.
    struct Kind {
        QString kindName;
        int productKind;
    };
    static std::vector<Kind> demoKinds() {
        std::vector<Kind> kinds;
        static const QRegularExpression row(R"(\(\d+, '([^']+)', '[^']+', ([01]), [\d.]+, )");
        for (auto m = row.globalMatch(demoScript()); m.hasNext();) {
            const auto match = m.next();
            kinds.push_back({match.captured(1), match.captured(2).toInt()});
        }
        return kinds;
    }
    static QList<QStringList> demoProducts() {
        QList<QStringList> products;
        static const QRegularExpression row(R"(\(\d+, '([^']+)', '([^']+)', [\d.]+\))");
        for (auto m = row.globalMatch(demoScript()); m.hasNext();) {
            const auto match = m.next();
            products.append({match.captured(1), match.captured(2)});
        }
        return products;
    }
    static QString demoScript() {
        QFile file(qEnvironmentVariable("PLANT_SOURCE_DIR") + "/db/demo.sql");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    void runAllFour() {
        reportWindow().run(workersReport());
        reportWindow().run(productsReport());
        reportWindow().run(detailedWorkersReport());
        reportWindow().run(detailedProductsReport());
        ASSERT_EQ(previews.size(), 4u);
    }
};

// Kind texts and the operation names of the demo plant print whole in all four reports, beside
// colours and figures of the plant's size.
TEST_F(PlantNamesTest, DemoKindsAndOperationNamesPrintWhole) {
    const std::vector<Kind> kinds = demoKinds();
    const QList<QStringList> products = demoProducts();
    ASSERT_EQ(kinds.size(), 12u);
    ASSERT_EQ(products.size(), 40);
    worker(3, "Константинопольский-Преображенский Александр Вениаминович");
    for (size_t k = 0; k < kinds.size(); ++k)
        operationKind(int(k) + 10, kinds[k].kindName);
    for (int p = 0; p < products.size(); ++p) {
        const int id = 200 + p;
        product(id, products[p][0], products[p][1], 11.9);
        // Each product by two kinds, each kind on several products, with the plant's colours.
        for (int k : {p % 12, (p + 5) % 12}) {
            const int operationId = 1000 + p * 12 + k;
            operation(operationId, k + 10, kinds[k].productKind, id);
            const int colour = kinds[k].kindName.contains("раска") ? 9005 : 0;
            entry({2022, 11, 2 + p % 20}, 1 + p % 3, id, operationId, 4321, 123, 9.87, colour);
        }
    }
    runAllFour();
    for (const printing::PreparedReport& r : previews) {
        SCOPED_TRACE(r.title.toStdString());
        const QStringList texts = allTexts(r);
        EXPECT_EQ(texts.filter(QChar(0x2026)), QStringList());
        for (const QString kind : {"Готовая продукция", "Заготовки"})
            EXPECT_TRUE(texts.contains(kind)) << kind.toStdString();
        for (const Kind& k : kinds)
            EXPECT_TRUE(texts.contains(k.kindName)) << k.kindName.toStdString();
        EXPECT_EQ(misfits(r), QStringList());
    }
}

// Long names and large figures: a text takes the free room beside it, then a smaller size, and is
// cut with "…" only where neither is enough; numbers are never cut.
TEST_F(PlantNamesTest, LongNamesAndLargeFiguresStayInTheirRoom) {
    const QString longName =
        "Порошковая покраска корпусов распределительных щитов навесных ЩРН-48 IP54 с замком";
    const QString longOperation = "Порошковая покраска корпусов в два слоя с промежуточной сушкой";
    worker(3, "Константинопольский-Преображенский Александр Вениаминович");
    product(12, "ЩРН-48-IP54-УХЛ3-ПОРОШКОВАЯ-ПОКРАСКА", longName, 12.345);
    operationKind(3, longOperation);
    operation(120, 3, 0, 12);
    entry({2022, 11, 2}, 3, 12, 120, 9876543, 12345, 1234.567, 9005);
    entry({2022, 11, 3}, 1, 10, 100, 10, 2, 1);

    printing::TextMeasure measure;
    const printing::Font headerFont{"Arial", 10, true};
    const double headerWidth = measure.widthMm(headerFont, longName);
    ASSERT_GT(headerWidth, 150.0);  // wider than group headers once were
    ASSERT_LT(headerWidth, 189.7);  // narrower than the band's usable width

    runAllFour();
    for (const printing::PreparedReport& r : previews) {
        SCOPED_TRACE(r.title.toStdString());
        EXPECT_EQ(misfits(r), QStringList());
        for (const auto& page : r.pages) {
            for (const auto& item : page.items) {
                if (item.kind == PreparedKind::Sum) {
                    EXPECT_FALSE(item.text.contains(QChar(0x2026))) << item.text.toStdString();
                }
            }
        }
    }
    // The long product name heads its group whole in the reports grouped by it.
    for (size_t n : {1u, 3u})
        EXPECT_TRUE(allTexts(previews[n]).contains(longName)) << n;
    // Cut where it would run into the next column, with a sign that it is cut.
    const QStringList operations = textsAt(previews[3], PreparedKind::Field, 52.9);
    EXPECT_TRUE(operations.contains("Сборка"));
    EXPECT_EQ(operations.filter(QRegularExpression("^Порошковая .*…$")).size(), 1)
        << operations.join("|").toStdString();
}

}  // namespace
