#include "views/cut_text_tips.h"

#include <QApplication>
#include <QHelpEvent>
#include <QStyle>
#include <QTableView>
#include <QToolTip>

namespace views {

bool CutTextTips::isCut(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (opt.text.isEmpty())
        return false;
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    // The style keeps a margin on both sides of the text (as QCommonStyle paints it).
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    return opt.fontMetrics.horizontalAdvance(opt.text) > textRect.width() - 2 * margin;
}

bool CutTextTips::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                            const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    if (!isCut(option, index)) {
        QToolTip::hideText();
        return true;
    }
    // As rich text the tip breaks a long text into lines instead of running off the screen.
    const QString text = index.data(Qt::DisplayRole).toString();
    QToolTip::showText(event->globalPos(),
                       QStringLiteral("<p style='white-space:pre-wrap'>") + text.toHtmlEscaped() +
                           QStringLiteral("</p>"),
                       view->viewport(), option.rect);
    return true;
}

void showCutTextsOnHover(QTableView* grid) {
    grid->setItemDelegate(new CutTextTips(grid));
}

}  // namespace views
