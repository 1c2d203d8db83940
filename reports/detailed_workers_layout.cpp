#include "reports/report_layouts.h"

#include "reports/report_look.h"

namespace reports {

using namespace printing;
using namespace look;

Layout detailedWorkersReportLayout(const QString& caption, const QString& title) {
    Layout l = page(caption);
    addReportHeader(l, band(7.7)
                           .add(reports::look::title(title, 0.0))
                           .add(columnHeading(QStringLiteral("Брак"), 124.1, 9).top(3.2))
                           .add(columnHeading(QStringLiteral("Количество"), 133.3, 9).top(3.2))
                           .add(columnHeading(QStringLiteral("Сумма"), 157.4, 9).top(3.2)));

    Group byWorker{QStringLiteral("fio"), {firstGroupHeader(5.3, QStringLiteral("fio"))}, {}};
    byWorker.footer.push_back(
        band(6.3)
            .add(groupSum(QStringLiteral("brk"), 128.3, 8))
            .add(groupSum(QStringLiteral("kolvo"), 145.5, 14))
            .add(groupSum(QStringLiteral("summa"), 169.9, 20.1, QStringLiteral("#0.00"))));
    l.groups = {byWorker};

    // s_prize is fetched with the rows but not printed.
    l.detail = band(4.2)
                   .add(detail(fieldText(QStringLiteral("marka")), 0.3, 42.6, Align::Left, 8))
                   .add(detail(fieldText(QStringLiteral("vid")), 42.9, 30.7, Align::Center, 8))
                   .add(detail(fieldText(QStringLiteral("color")), 73.6, 17.7, Align::Center, 8))
                   .add(detail(kindText(), 91.3, 32, Align::Left, 8))
                   .add(detail(fieldText(QStringLiteral("brk")), 128.1, 8, Align::Center, 8))
                   .add(detail(fieldText(QStringLiteral("kolvo")), 146.3, 13, Align::Center, 8))
                   .add(detail(fieldText(QStringLiteral("summa"), QStringLiteral("#0.00")), 169.9,
                               20.1, Align::Center, 8));

    l.reportFooter.push_back(
        reportFooter(5.8)
            .add(totalLabel(106.1))
            .add(reportSum(QStringLiteral("brk"), 132.0, 10))
            .add(reportSum(QStringLiteral("kolvo"), 145.0, 16))
            .add(reportSum(QStringLiteral("summa"), 165.9, 24.1, QStringLiteral("#0.00"))));
    l.pageFooter = pageFooter();
    return l;
}

}  // namespace reports
