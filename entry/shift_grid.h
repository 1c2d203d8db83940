#pragma once

#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>

// The grid of "Ввод смены" (ShiftEntryWindow's columns): how it is typed in.
namespace entry::shift {

// The colour, quantity, defects and hours: digits only.
bool isDigitColumn(int column);
// The mark and the operation kind: either names the row's operation.
bool isOperationColumn(int column);

// A typed figure and Enter go down the same column, Tab goes across; Insert adds a row,
// Ctrl+Delete removes it, F4 opens the picker of the worker or operation.
class ShiftGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    std::function<void()> onInsert;
    std::function<void()> onRemove;
    std::function<void()> onPick;

    // A figure still being typed is taken as if Enter had been pressed, without moving.
    void takeTyping();

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void moveDown();
};

// Editors of the grid's cells: digits only for the figures; the worker and the operation
// complete what is typed from their lists, names(column) read when an editor opens.
class ShiftDelegate : public QStyledItemDelegate {
public:
    ShiftDelegate(std::function<QStringList(int column)> names, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

private:
    std::function<QStringList(int column)> names_;
};

}  // namespace entry::shift
