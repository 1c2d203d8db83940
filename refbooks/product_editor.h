#pragma once

#include "ui/window.h"

class QLineEdit;
class QPushButton;
namespace data {
class SharedData;
}

// The product editor: adds (Tag 1) a product as a goods row, or changes (Tag 2) the goods row of
// the current product of Izdel.
class ProductEditor : public ui::Window {
    Q_OBJECT
public:
    explicit ProductEditor(data::SharedData& db, QWidget* parent = nullptr);

    // Shown modally for a new product, or for the current one with its mark and quantity text.
    void showForNew();
    void showForChange(const QString& mark, const QString& quantity);

    void FormActivate() override;
    void save();  // "Записать"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    data::SharedData& db_;
    QLineEdit* markEdit_;
    QLineEdit* quantityEdit_;
    QPushButton* saveButton_;
};
