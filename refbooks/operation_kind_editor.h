#pragma once

#include "ui/window.h"

class QLineEdit;
class QPushButton;
namespace data {
class SharedData;
}

// The operation kind editor: adds (Tag 1) a kind or changes (Tag 2) the current row of Vid_oper,
// posting through that query.
class OperationKindEditor : public ui::Window {
    Q_OBJECT
public:
    explicit OperationKindEditor(data::SharedData& db, QWidget* parent = nullptr);

    // Shown modally for a new kind, or for the current one named name.
    void showForNew();
    void showForChange(const QString& name);

    void FormActivate() override;
    void save();  // "Записать"

private:
    data::SharedData& db_;
    QLineEdit* nameEdit_;
    QPushButton* saveButton_;
};
