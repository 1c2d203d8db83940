#pragma once

#include <QHash>
#include <QHeaderView>
#include <QPalette>

namespace ui {

// A grid's column titles whose colours come from the model (the timesheet's weekend and holiday
// days). The plain header gives each coloured title a palette of its own on every paint, and the
// style keeps a drawn image of the section for every palette it sees, so a window painted again
// and again grows without end. Here every colour has one palette, made once: the style finds its
// images again.
class TitleHeader : public QHeaderView {
public:
    explicit TitleHeader(QWidget* parent);

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;

private:
    mutable QHash<QPair<QRgb, QRgb>, QPalette> palettes_;  // by title and section colour
    mutable qint64 paletteKey_ = 0;  // the header's own palette the kept ones were made from
};

}  // namespace ui
