#pragma once

#include "printing/report_layout.h"

#include <QObject>
#include <array>

namespace data {
class Dataset;
}

// The printed monthly timesheet: one line per worker with the hours of every day of the month,
// all shifts together, A4 landscape. Never shown as a window; previewed through the report
// engine.
class TForm15 : public QObject {
    Q_OBJECT
public:
    explicit TForm15(QObject* parent = nullptr);

    data::Dataset* H_Tabel;                            // month totals per worker, :mnth and :yea
    QString QRLabel33 = QStringLiteral("Данные за:");  // the month label of the header band

    // Left edges of the day boxes, mm from the left margin, days 1..31.
    static const std::array<double, 31>& dayBoxLefts();

    // The layout with the current month label.
    printing::Layout QuickRep1() const;
    // Prepares the layout over the open H_Tabel and previews it until the user closes it.
    void Preview() const;
};

extern TForm15* Form15;
