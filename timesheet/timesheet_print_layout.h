#pragma once

#include "printing/report_layout.h"

#include <QObject>
#include <array>

namespace data {
class Dataset;
}

namespace timesheet {

// The printed monthly timesheet: one line per worker with the hours of every day of the month,
// all shifts together, A4 landscape. Never shown as a window; previewed through the report
// engine.
class TimesheetPrintLayout : public QObject {
    Q_OBJECT
public:
    explicit TimesheetPrintLayout(QObject* parent = nullptr);

    // Month totals per worker, parameters :mnth and :yea.
    data::Dataset& monthTotals() const { return *monthTotals_; }
    // The month label of the header band.
    QString monthLabel = QStringLiteral("Данные за:");

    // Left edges of the day boxes, mm from the left margin, days 1..31.
    static const std::array<double, 31>& dayBoxLefts();

    // The layout with the current month label.
    printing::Layout layout() const;
    // Prepares the layout over the open month totals and previews it until the user closes it.
    void preview() const;

private:
    data::Dataset* monthTotals_;  // the query H_Tabel
};

}  // namespace timesheet
