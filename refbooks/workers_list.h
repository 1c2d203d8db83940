#pragma once

#include "ui/window.h"

class TForm5 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
};

extern TForm5* Form5;
