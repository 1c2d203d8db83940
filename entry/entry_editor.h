#pragma once

#include "ui/window.h"

class QLineEdit;

class TForm11 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);

    QLineEdit* Edit1;  // the chosen worker's name (the workers picker fills it)
    QLineEdit* Edit2;  // the chosen operation's text (the operations picker fills it)
    int entry_w_id = 0;
    int entry_o_id = 0;
    int entry_i_id = 0;
    double entry_price = 0;

    // "Добавить" and "Изменить" of the journal window.
    void PrepareAdd();
    void PrepareChange();
};

extern TForm11* Form11;
