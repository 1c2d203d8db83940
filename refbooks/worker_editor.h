#pragma once

#include "data/row_check.h"
#include "refbooks/edit_mode.h"
#include "ui/window.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QWheelEvent;

namespace data {
class Dataset;
}

namespace refbooks {

// The worker editor: adds or changes one row of accounts_dep.person.
class WorkerEditor : public ui::Window {
    Q_OBJECT
public:
    explicit WorkerEditor(QWidget* parent = nullptr);

    // Shows the editor for a new worker, or for the worker personId named fio, loaded by the
    // list as `loaded`.
    void showForNew();
    void showForChange(const QString& fullName, int personId, const data::RowSnapshot& loaded);

    int personId() const { return personId_; }

    void windowActivated() override;
    void save();  // "Записать"
    // Wheel down (or up) moves whichever lookup list has the focus to its next (previous) entry.
    void moveFocusedLookup(bool down);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    // Reads the three lookup lists afresh (staffpos, roles, department); each keeps the entry
    // chosen at its last use.
    void reopenLookups();
    // The boxes as a row of refbooks::shown::worker, and one field of it shown as stored.
    data::RowSnapshot shownBoxes() const;
    void showStored(const QString& field, const data::RowSnapshot& stored);

    QLineEdit* nameEdit_;
    QComboBox* departmentList_;
    QComboBox* positionList_;
    QComboBox* roleList_;
    QPushButton* saveButton_;

    int personId_ = 0;
    data::RowSnapshot loaded_;  // the changed worker as loaded (or as last refused)

    data::Dataset* positions_;
    data::Dataset* department_;
    data::Dataset* roles_;
    refbooks::EditMode mode_ = refbooks::EditMode::Add;
};

}  // namespace refbooks
