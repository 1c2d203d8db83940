#pragma once

#include "ui/window.h"

class TForm10 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);
};

extern TForm10* Form10;
