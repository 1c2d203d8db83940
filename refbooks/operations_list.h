#pragma once

#include "ui/window.h"

class TForm4 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};

extern TForm4* Form4;
