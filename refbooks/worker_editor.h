#pragma once

#include "ui/window.h"

class TForm2 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
};

extern TForm2* Form2;
