#pragma once

#include "ui/window.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The operation editor "Цена операции": adds an operation (Tag 1) or changes the operations
// list's current one (Tag 2). Product and kind come from their pickers.
class TForm10 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    QLineEdit* Edit1;  // mark of the chosen product (the products picker fills it)
    QPushButton* Button3;
    QLineEdit* Edit2;  // name of the chosen operation kind (the kinds picker fills it)
    QPushButton* Button4;
    QComboBox* ComboBox1;  // "Готовая продукция" (0) or "Заготовки" (1): the naimen stored
    QPushButton* Button1;  // "Записать"
    QPushButton* Button2;  // "Отмена"
    int izdel_id = 0;
    int vid_id = 0;

    void Button1Click();
    void Button3Click();
    void Button4Click();
    void FormActivate() override;

private:
    // A new operation with its first norm (price 0), so that it is listed and can be priced.
    int addOperation(int naimen);
};

extern TForm10* Form10;
