#pragma once

#include "ui/window.h"

class TForm7 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
};

extern TForm7* Form7;
