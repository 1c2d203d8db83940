#pragma once

#include "data/row_check.h"
#include "refbooks/choices.h"
#include "refbooks/edit_mode.h"
#include "ui/window.h"

namespace refbooks {
class OperationKindsList;
class ProductsList;
}  // namespace refbooks
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
namespace data {
class SharedData;
}

namespace refbooks {

// The operation editor "Цена операции": adds an operation or changes the operations
// list's current one. Product and kind come from their pickers.
class OperationEditor : public ui::Window {
    Q_OBJECT
public:
    OperationEditor(data::SharedData& db, refbooks::ProductsList& products,
                    refbooks::OperationKindsList& kinds, QWidget* parent = nullptr);

    // Shown modally for a new operation, or for the current one with its product, kind and
    // finished/blank choice (naimen 0 or 1), loaded by the list as `loaded`.
    void showForNew();
    void showForChange(const refbooks::ProductChoice& product, const refbooks::KindChoice& kind,
                       int productKind, const data::RowSnapshot& loaded);

    // A chosen product or kind fills its box.
    void takeProduct(const refbooks::ProductChoice& product);
    void takeKind(const refbooks::KindChoice& kind);
    int productId() const { return productId_; }
    int kindId() const { return kindId_; }

    void save();         // "Записать"
    void pickProduct();  // "..." beside the product
    void pickKind();     // "..." beside the kind
    void windowActivated() override;

private:
    // The boxes as a row of refbooks::shown::operation, and one field of it shown as stored.
    data::RowSnapshot shownBoxes() const;
    void showStored(const QString& field, const data::RowSnapshot& stored);

    data::SharedData& db_;
    refbooks::ProductsList& products_;
    refbooks::OperationKindsList& kinds_;

    QGroupBox* group_;
    QLineEdit* productEdit_;  // the chosen product's mark
    QPushButton* productButton_;
    QLineEdit* kindEdit_;  // the chosen operation kind's name
    QPushButton* kindButton_;
    QComboBox* productKindList_;  // "Готовая продукция" (0) or "Заготовки" (1): the naimen stored
    QPushButton* saveButton_;
    int productId_ = 0;
    int kindId_ = 0;
    data::RowSnapshot loaded_;  // the changed operation as loaded (or as last refused)
    refbooks::EditMode mode_ = refbooks::EditMode::Add;
};

}  // namespace refbooks
