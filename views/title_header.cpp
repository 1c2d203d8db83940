#include "views/title_header.h"

#include <QStyleOptionHeader>

namespace ui {

TitleHeader::TitleHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

void TitleHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const {
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    const QPalette& own = palette();
    if (option->palette.cacheKey() == own.cacheKey())
        return;  // drawn with the header's own palette
    if (paletteKey_ != own.cacheKey()) {
        palettes_.clear();
        paletteKey_ = own.cacheKey();
    }
    const QPair<QRgb, QRgb> colours(option->palette.color(QPalette::ButtonText).rgba(),
                                    option->palette.color(QPalette::Button).rgba());
    auto kept = palettes_.constFind(colours);
    if (kept == palettes_.constEnd()) {
        QPalette p = own;
        p.setColor(QPalette::ButtonText, QColor::fromRgba(colours.first));
        p.setColor(QPalette::Button, QColor::fromRgba(colours.second));
        p.setColor(QPalette::Window, QColor::fromRgba(colours.second));
        kept = palettes_.insert(colours, p);
    }
    option->palette = *kept;
}

}  // namespace ui
