#pragma once

#include "data/row_check.h"
#include "ui/window.h"

class QPushButton;
class QTableView;

namespace data {
class Dataset;
class DatasetModel;
class SharedData;
}  // namespace data

namespace refbooks {

// The norms window "Норматив": the norm rows of one operation, edited in place. A change is
// stored when its column (or its row) is left; a new row always gets the operation's id; a value
// the table cannot hold is refused with a message and the row stays for correction.
class NormsWindow : public ui::Window {
    Q_OBJECT
public:
    explicit NormsWindow(data::SharedData& db, QWidget* parent = nullptr);

    // The norms of the operation operId (the current row of Oper), reopened and shown modally.
    void showForOperation(int operationId);

    // The window's table over accounts_dep.norm, sorted by norma, filtered "o_id=<id>".
    data::Dataset& norms() const { return *normTable_; }

    void saveAndClose();  // "Сохранить" (also Enter and Escape)
    void deleteRow();     // "Удалить"
    void columnEntered();
    // Stores a pending change. Within a row a norm still without price waits; leaving the row
    // refuses it. False when refused (the row stays in editing).
    bool columnLeft(bool leavingRow = false);
    // Insert, or Down on the last row: a new blank row.
    void startNewRow();
    void windowActivated() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The build steps: the editable grid over the norms table, the grid and its row indicator
    // following the table, the buttons and the layout.
    void buildGrid();
    void followTable();
    void buildButtons();

    void cellMoved(const QModelIndex& current, const QModelIndex& previous);
    // False when the change was refused and stays in editing.
    bool storePending();
    // The current norm as read, while it is not being edited: what a change is written over.
    void noteLoaded();
    // Posts the pending change of a stored norm only over the norm as loaded.
    bool postOverLoaded();
    void reloadNorms(int keepId, int keepRow);
    void showDatasetRow();
    int storedRowCount() const;

    data::SharedData& db_;
    data::Dataset* normTable_;
    bool normIsNew_ = false;
    data::RowSnapshot loaded_;  // the current norm as loaded (or as last refused)
    QTableView* grid_;
    QPushButton* saveButton_;
    QPushButton* deleteButton_;
    data::DatasetModel* model_;
    bool moving_ = false;  // the view is being moved by this window, not by the user
};

}  // namespace refbooks
