#pragma once

#include "ui/window.h"

class TForm19 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm19(QWidget* parent = nullptr);
};

extern TForm19* Form19;
