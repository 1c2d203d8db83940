#pragma once

#include "ui/window.h"

class TForm3 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};

extern TForm3* Form3;
