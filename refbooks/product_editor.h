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

// The product editor: adds a product as a goods row, or changes the goods row of
// the current product of Izdel.
class ProductEditor : public ui::Window {
    Q_OBJECT
public:
    explicit ProductEditor(data::SharedData& db, QWidget* parent = nullptr);

    // Shown modally for a new product, or for the current one with its mark and quantity text,
    // loaded by the list as `loaded`.
    void showForNew();
    void showForChange(const QString& mark, const QString& quantity,
                       const data::RowSnapshot& loaded);

    void windowActivated() override;
    void save();  // "Записать"

private:
    data::SharedData& db_;
    data::RowSnapshot loaded_;  // the changed product as loaded (or as last refused)
    QLineEdit* markEdit_;
    QLineEdit* quantityEdit_;
    QPushButton* saveButton_;
    refbooks::EditMode mode_ = refbooks::EditMode::Add;
};

}  // namespace refbooks
