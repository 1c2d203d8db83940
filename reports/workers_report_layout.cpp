#include "reports/report_layouts.h"

#include "reports/report_look.h"

namespace reports {

using namespace printing;
using namespace look;

Layout workersReportLayout(const QString& caption, const QString& title) {
    Layout l = page(caption);
    addReportHeader(l, band(4.2).add(reports::look::title(title, 0.3)));

    Group byWorker{QStringLiteral("fio"), {firstGroupHeader(6.6, QStringLiteral("fio"))}, {}};
    byWorker.footer.push_back(
        band(6.1)
            .withFrame(BottomSide)
            .add(groupSum(QStringLiteral("summa"), 163.0, 27, QStringLiteral("#0.00"))));

    Group byName{QStringLiteral("nom"), {groupHeader(5.3, QStringLiteral("nom"))}, {}};
    byName.footer.push_back(
        band(5.3)
            .add(groupSum(QStringLiteral("kolvo"), 137.8, 25.2))
            .add(groupSum(QStringLiteral("summa"), 163.0, 27, QStringLiteral("#0.000"))));
    l.groups = {byWorker, byName};

    l.detail = band(4.2)
                   .add(detail(kindText(), 13.2, 43.7, Align::Left))
                   .add(detail(fieldText(QStringLiteral("vid")), 56.9, 44.7, Align::Center))
                   .add(detail(colourText(), 101.6, 36.2, Align::Left))
                   .add(detail(fieldText(QStringLiteral("kolvo")), 137.8, 25.2, Align::Center))
                   .add(detail(fieldText(QStringLiteral("summa"), QStringLiteral("#0.000")), 163.0,
                               27, Align::Center));

    l.reportFooter.push_back(
        reportFooter(5.8)
            .add(totalLabel(137.8))
            .add(reportSum(QStringLiteral("summa"), 160.9, 29.1, QStringLiteral("#0.00"))));
    l.pageFooter = pageFooter();
    return l;
}

}  // namespace reports
