#include "timesheet/timesheet_print_layout.h"

#include "data/dataset.h"
#include "printing/preview.h"
#include "timesheet/month_totals.h"

namespace {

constexpr double kDayBoxWidth = 5.3;
constexpr double kTotalLeft = 264.6;
const QColor kGridGrey(0x80, 0x80, 0x80);

}  // namespace

timesheet::TimesheetPrintLayout::TimesheetPrintLayout(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Form15"));
    monthTotals_ = new data::Dataset(QStringLiteral("H_Tabel"), this);
    monthTotals_->setSql(timesheet::monthTotalsQuery());
}

const std::array<double, 31>& timesheet::TimesheetPrintLayout::dayBoxLefts() {
    static const std::array<double, 31> lefts{
        81.2,  87.8,  93.7,  100.0, 106.1, 112.4, 118.8, 125.4, 131.8, 137.6, 143.1,
        148.7, 154.3, 159.8, 165.4, 170.9, 176.5, 182.0, 187.6, 193.1, 198.7, 204.3,
        209.8, 215.4, 220.9, 226.5, 232.0, 237.6, 243.2, 248.7, 254.3};
    return lefts;
}

printing::Layout timesheet::TimesheetPrintLayout::layout() const {
    using namespace printing;
    Layout layout;
    layout.title = QStringLiteral("Табель по времени");
    layout.page.orientation = Orientation::Landscape;
    layout.zoom = PreviewZoom::WholePage;

    const auto& lefts = dayBoxLefts();
    Band header = band(6.6).withFrame(TopSide | BottomSide);
    header.add(fixedText(monthLabel).at(0.0).bold());
    for (int d = 1; d <= 31; ++d)
        header.add(fixedText(QString::number(d))
                       .at(lefts[d - 1], kDayBoxWidth, Align::Center)
                       .bold()
                       .withFrame(LeftSide | RightSide, LineStyle::Dotted, kGridGrey));
    header.add(fixedText(QStringLiteral("Итого")).at(kTotalLeft).bold());
    layout.repeatedHeader.push_back(header);

    Band detail = band(6.3).withFrame(TopSide | BottomSide, LineStyle::Dotted, kGridGrey);
    detail.add(fieldText(QStringLiteral("fio")).at(0.0, 80.4));
    for (int d = 1; d <= 31; ++d)
        detail.add(fieldText(timesheet::daySumField(d))
                       .at(lefts[d - 1], kDayBoxWidth, Align::Center)
                       .withFont(QStringLiteral("Microsoft Sans Serif"), 9)
                       .withFrame(LeftSide | RightSide, LineStyle::Dotted, kGridGrey));
    QStringList days;
    for (int d = 1; d <= 31; ++d)
        days << timesheet::daySumField(d);
    detail.add(computedText([days](const Row& row) {
                   qint64 total = 0;
                   for (const QString& day : days)
                       total += row.integer(day);
                   return QString::number(total);
               })
                   .reading(days)
                   .at(kTotalLeft, 10.3, Align::Center)
                   .withFont(QStringLiteral("Microsoft Sans Serif"), 9, Weight::Bold));
    layout.detail = detail;

    layout.pageFooter = band(4.5).add(
        pageNumber().at(252.7, 25.7, Align::Right).withFont(QStringLiteral("MS Sans Serif"), 10));
    return layout;
}

void timesheet::TimesheetPrintLayout::preview() const {
    printing::previewReport(layout(), *monthTotals_);
}
