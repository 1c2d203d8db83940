#include "entry/shift_grid.h"

#include "entry/shift_entry_window.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace entry::shift {

bool isDigitColumn(int column) {
    return column == entry::ShiftEntryWindow::ColourColumn ||
           column == entry::ShiftEntryWindow::QuantityColumn ||
           column == entry::ShiftEntryWindow::DefectsColumn ||
           column == entry::ShiftEntryWindow::HoursColumn;
}

bool isOperationColumn(int column) {
    return column == entry::ShiftEntryWindow::MarkColumn ||
           column == entry::ShiftEntryWindow::OperationColumn;
}

void ShiftGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Enter in an editor: the figure is taken and the next row's cell of the column is next.
    if (hint == QAbstractItemDelegate::SubmitModelCache) {
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
        moveDown();
        return;
    }
    QTableWidget::closeEditor(editor, hint);
}

void ShiftGrid::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && state() != EditingState) {
        moveDown();
        return;
    }
    if (key == Qt::Key_Insert && onInsert) {
        onInsert();
        return;
    }
    if (key == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier) && onRemove) {
        onRemove();
        return;
    }
    if (key == Qt::Key_F4 && onPick) {
        onPick();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void ShiftGrid::takeTyping() {
    if (state() != EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void ShiftGrid::moveDown() {
    const QModelIndex at = currentIndex();
    if (at.isValid() && at.row() + 1 < rowCount())
        setCurrentCell(at.row() + 1, at.column());
}

ShiftDelegate::ShiftDelegate(std::function<QStringList(int column)> names, QObject* parent)
    : QStyledItemDelegate(parent), names_(std::move(names)) {}

QWidget* ShiftDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
    auto* edit = qobject_cast<QLineEdit*>(w);
    if (!edit)
        return w;
    const int column = index.column();
    if (isDigitColumn(column)) {
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    } else if (column == entry::ShiftEntryWindow::WorkerColumn || isOperationColumn(column)) {
        auto* completer = new QCompleter(names_(column), edit);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setCompletionMode(QCompleter::InlineCompletion);
        edit->setCompleter(completer);
    }
    return w;
}

void ShiftDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // The operation is typed as the editor shows it: mark, kind, finished or blank.
    if (auto* edit = qobject_cast<QLineEdit*>(editor); edit && isOperationColumn(index.column())) {
        edit->setText(index.data(Qt::UserRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

}  // namespace entry::shift
