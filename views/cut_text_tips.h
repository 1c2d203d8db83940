#pragma once

#include <QStyledItemDelegate>

class QTableView;

namespace views {

// A grid's cells as usual; a cell whose text its column cuts shows the whole text as a tooltip
// when the mouse rests on it (a cell shown whole shows none).
class CutTextTips : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // Whether the cell at index, painted in option's rectangle, shows its text cut.
    bool isCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

// Gives the grid whole-text tooltips for its cut cells (the delegate is the grid's child).
void showCutTextsOnHover(QTableView* grid);

}  // namespace views
