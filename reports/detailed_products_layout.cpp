#include "reports/report_layouts.h"

#include "reports/report_look.h"

namespace reports {

using namespace printing;
using namespace look;

Layout detailedProductsReportLayout(const QString& caption, const QString& title) {
    Layout l = page(caption);
    addReportHeader(l, band(7.7)
                           .add(reports::look::title(title, 0.0, 9))
                           .add(columnHeading(QStringLiteral("Брак"), 124.4).top(3.2))
                           .add(columnHeading(QStringLiteral("Коробки"), 134.9).top(3.2))
                           .add(columnHeading(QStringLiteral("Кол-во"), 153.5).top(3.2))
                           .add(columnHeading(QStringLiteral("Сумма"), 173.8).top(3.2)));

    Group byName{QStringLiteral("nom"), {firstGroupHeader(5.3, QStringLiteral("nom"))}, {}};
    byName.footer.push_back(
        band(5.3)
            .add(groupSum(QStringLiteral("brk"), 124.4, 8.4))
            .add(groupSum(QStringLiteral("mass"), 132.8, 19.3, QStringLiteral("#0.00")))
            .add(groupSum(QStringLiteral("kolvo"), 152.1, 17.8))
            .add(groupSum(QStringLiteral("summa"), 169.9, 20.1, QStringLiteral("#0.00"))));
    l.groups = {byName};

    l.detail = band(4.2)
                   .add(detail(fieldText(QStringLiteral("marka")), 1.1, 51.8, Align::Left))
                   .add(detail(fieldText(QStringLiteral("vid")), 52.9, 28.3, Align::Left))
                   .add(detail(fieldText(QStringLiteral("color")), 81.2, 18.3, Align::Center))
                   .add(detail(kindText(), 99.5, 25.9, Align::Left))  // up to brk
                   .add(detail(fieldText(QStringLiteral("brk")), 125.4, 8.2, Align::Center))
                   .add(detail(fieldText(QStringLiteral("mass")), 133.6, 18.5, Align::Center))
                   .add(detail(fieldText(QStringLiteral("kolvo")), 152.1, 17.8, Align::Center))
                   .add(detail(fieldText(QStringLiteral("summa"), QStringLiteral("#0.000")), 169.9,
                               20.1, Align::Center));

    l.reportFooter.push_back(
        reportFooter(6.6)
            .add(totalLabel(99.7))
            .add(reportSum(QStringLiteral("brk"), 124.4, 8.4))
            .add(reportSum(QStringLiteral("mass"), 132.8, 19.3))
            .add(reportSum(QStringLiteral("kolvo"), 152.1, 17.8))
            .add(reportSum(QStringLiteral("summa"), 169.9, 20.1, QStringLiteral("#0.00"))));
    l.pageFooter = pageFooter();
    return l;
}

}  // namespace reports
