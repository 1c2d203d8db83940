#pragma once

#include "ui/window.h"

class QLineEdit;

class TForm10 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);

    QLineEdit* Edit1;  // mark of the chosen product (the products picker fills it)
    QLineEdit* Edit2;  // name of the chosen operation kind (the kinds picker fills it)
    int izdel_id = 0;
    int vid_id = 0;
};

extern TForm10* Form10;
