#pragma once

#include "entry/entry_editor.h"
#include "entry/shift_names.h"
#include "entry/shift_rows.h"
#include "ui/window.h"

#include <functional>
#include <vector>

namespace refbooks {
class OperationsList;
class WorkersList;
}  // namespace refbooks
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
namespace data {
class SharedData;
}
namespace entry::shift {
class ShiftGrid;
}

namespace entry {

// "Ввод смены": a team's entries of the journal's date and shift typed in one grid (or copied
// from another day's shift) and written together, every row by the rules of the entry save.
class ShiftEntryWindow : public ui::Window {
    Q_OBJECT
public:
    // The grid's columns.
    enum Column {
        WorkerColumn,
        MarkColumn,
        OperationColumn,
        GoodsColumn,
        ColourColumn,
        QuantityColumn,
        DefectsColumn,
        HoursColumn,
        PriceColumn,
        SumColumn,
        RefusalColumn,
        ColumnCount
    };

    ShiftEntryWindow(data::SharedData& db, refbooks::WorkersList& workers,
                     refbooks::OperationsList& operations, std::function<JournalContext()> journal,
                     QWidget* parent = nullptr);

    // Opens empty for the journal's date and shift, the source day set to the shift's last
    // earlier day with entries; shown modally.
    void showForJournal();
    // The same without showing: the journal's date and shift, the source day, no rows.
    void prepare();

    void copyShift();  // "Копировать смену": the source day's shift becomes the rows
    void addRow();     // "Добавить строку" (Insert in the grid)
    void removeRow();  // "Удалить строку" (Ctrl+Delete in the grid)
    void sortRows();   // "По фамилиям"
    void pickForCell();  // F4 in the worker or operation column: the list as a picker
    void save();         // "Записать" (Ctrl+S)

    const std::vector<entry::shift::ShiftRow>& rows() const { return rows_; }
    void setRows(std::vector<entry::shift::ShiftRow> rows);
    entry::shift::ShiftContext context() const;

private:
    void buildControls();
    void layOutControls();
    void showRows();
    void showRow(int row);
    void showTotals();
    void cellEdited(int row, int column);
    void markRefusals(const std::vector<QString>& refusals);
    void clearRefusals();

    data::SharedData& db_;
    refbooks::WorkersList& workers_;
    refbooks::OperationsList& operations_;
    std::function<JournalContext()> journal_;
    std::vector<entry::shift::ShiftRow> rows_;
    std::vector<QString> refusals_;
    bool showing_ = false;  // the grid is being filled: its changes are no edits
    entry::shift::ShiftNames names_;

    QLabel* journalLabel_;
    QDateEdit* sourceDate_;
    QComboBox* sourceShift_;
    QPushButton* copyButton_;
    entry::shift::ShiftGrid* grid_;
    QPushButton* addRowButton_;
    QPushButton* removeRowButton_;
    QPushButton* sortButton_;
    QLabel* totals_;
    QPushButton* saveButton_;
    QPushButton* closeButton_;
};

}  // namespace entry
