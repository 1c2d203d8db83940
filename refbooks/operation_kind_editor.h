#pragma once

#include "data/row_check.h"
#include "refbooks/edit_mode.h"
#include "ui/window.h"

class QLineEdit;
class QPushButton;
namespace data {
class SharedData;
}

namespace refbooks {

// The operation kind editor: adds a kind or changes the current row of Vid_oper,
// posting through that query.
class OperationKindEditor : public ui::Window {
    Q_OBJECT
public:
    explicit OperationKindEditor(data::SharedData& db, QWidget* parent = nullptr);

    // Shown modally for a new kind, or for the current one named name, loaded by the list as
    // `loaded`.
    void showForNew();
    void showForChange(const QString& name, const data::RowSnapshot& loaded);

    void windowActivated() override;
    void save();  // "Записать"

private:
    // Posts the pending change of the current kind only over the kind as loaded; false (refusal

    data::SharedData& db_;
    data::RowSnapshot loaded_;  // the changed kind as loaded (or as last refused)
    QLineEdit* nameEdit_;
    QPushButton* saveButton_;
    refbooks::EditMode mode_ = refbooks::EditMode::Add;
};

}  // namespace refbooks
