#pragma once

#include "printing/report_layout.h"

#include <QObject>
#include <QString>

namespace data {
class Dataset;
}
namespace printing {
class WorkProgress;
}

// A printed period report: the query it owns, its title and its banded layout. Never shown as a
// window; the report window that owns it opens the query, sets the title and previews it.
class PeriodReport : public QObject {
    Q_OBJECT
public:
    PeriodReport(const QString& objectName, const QString& queryName, const QString& sql,
                 QObject* parent);

    data::Dataset& query() const { return *query_; }

    // The title: heading + period, set by the report run.
    const QString& title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }

    // The layout with the current title.
    virtual printing::Layout layout() const = 0;

    // Lays out every page over the query's rows (after its filter) and shows the preview until it
    // is closed. With progress, the layout tells it how far it has come and stops
    // (printing::WorkCancelled) when it is cancelled.
    void preview(printing::WorkProgress* progress = nullptr) const;

protected:
    data::Dataset* query_;
    QString title_;
};

// Pieces every period report layout shares: page set-up, fonts, band colours.
namespace reports::look {

printing::Layout page(const QString& caption);

// Report header band: title at left (bold), grows with its text; then a 0.5 mm gap.
void addReportHeader(printing::Layout& layout, printing::Band header);
printing::Item title(const QString& text, double left, double pointSize = 10);
// Bold Arial 10 pt column heading on white.
printing::Item columnHeading(const QString& text, double left, double pointSize = 10);

printing::Band firstGroupHeader(double height, const QString& field);  // light grey, bold field
printing::Band groupHeader(double height, const QString& field);       // bold field

// Detail texts: MS Sans Serif 9 pt (8 pt where a layout asks).
printing::Item detail(printing::Item item, double left, double width, printing::Align align,
                      double pointSize = 9);
// Group total: bold MS Sans Serif 9 pt on near-white grey, reset after it prints.
printing::Item groupSum(const QString& field, double left, double width, const QString& mask = {});
// Report total: bold MS Sans Serif 11 pt on near-white grey, never reset.
printing::Item reportSum(const QString& field, double left, double width, const QString& mask = {});
printing::Item totalLabel(double left);      // "Итого:"
printing::Band reportFooter(double height);  // grey, framed on all sides
printing::Band pageFooter();                 // page number at 176.2 mm, Arial 9 pt

// Computed texts of a row.
printing::Item kindText();
printing::Item colourText();

}  // namespace reports::look
