#pragma once

#include "ui/window.h"

class QPushButton;
class QTableView;

namespace data {
class Dataset;
class DatasetModel;
}  // namespace data

// The norms window "Норматив": the norm rows of the operations list's current operation, edited
// in place. A change is stored when its column (or its row) is left; a new row always gets the
// operation's id; a value the table cannot hold is refused with a message and the row stays for
// correction.
class TForm22 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm22(QWidget* parent = nullptr);

    QTableView* DBGrid1;
    QPushButton* Button1;  // "Сохранить" (also Enter and Escape)
    QPushButton* Button2;  // "Удалить"

    // The window's table over accounts_dep.norm, sorted by norma; the operations list sets its
    // filter "o_id=<id>" and reopens it before every showing.
    data::Dataset* norm;
    bool norm_is_new = false;

    void Button1Click();
    void Button2Click();
    void DBGrid1ColEnter();
    // Stores a pending change. Within a row a norm still without price waits; leaving the row
    // refuses it. False when refused (the row stays in editing).
    bool DBGrid1ColExit(bool leavingRow = false);
    // Insert, or Down on the last row: a new blank row.
    void StartNewRow();
    void FormActivate() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void cellMoved(const QModelIndex& current, const QModelIndex& previous);
    void storePending();
    void reloadNorms(int keepId, int keepRow);
    void showDatasetRow();
    int storedRowCount() const;

    data::DatasetModel* model_;
    bool moving_ = false;  // the view is being moved by this window, not by the user
};

extern TForm22* Form22;
