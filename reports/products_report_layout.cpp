#include "reports/report_layouts.h"

#include "reports/report_look.h"

namespace reports {

using namespace printing;
using namespace look;

Layout productsReportLayout(const QString& caption, const QString& title) {
    Layout l = page(caption);
    // The column titled "Коробки" holds mass.
    addReportHeader(l, band(7.7)
                           .add(reports::look::title(title, 0.0))
                           .add(columnHeading(QStringLiteral("Коробки"), 136.3).top(3.2))
                           .add(columnHeading(QStringLiteral("Количество"), 165.1).top(3.2)));

    Group byName{QStringLiteral("nom"), {firstGroupHeader(5.3, QStringLiteral("nom"))}, {}};
    byName.footer.push_back(band(5.3)
                                .add(groupSum(QStringLiteral("mass"), 133.6, 29.4))
                                .add(groupSum(QStringLiteral("kolvo"), 163.0, 27)));
    l.groups = {byName};

    l.detail = band(4.2)
                   .add(detail(kindText(), 13.2, 41.6, Align::Left))
                   .add(detail(fieldText(QStringLiteral("vid")), 54.8, 37.8, Align::Center))
                   .add(detail(colourText(), 92.6, 41, Align::Left))
                   .add(detail(fieldText(QStringLiteral("mass")), 133.6, 29.4, Align::Center))
                   .add(detail(fieldText(QStringLiteral("kolvo")), 163.0, 27, Align::Center));

    l.reportFooter.push_back(
        reportFooter(5.8)
            .add(totalLabel(106.4))
            .add(reportSum(QStringLiteral("mass"), 131.2, 29.7, QStringLiteral("#0")))
            .add(reportSum(QStringLiteral("kolvo"), 160.9, 29.1)));
    l.pageFooter = pageFooter();
    return l;
}

}  // namespace reports
