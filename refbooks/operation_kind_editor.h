#pragma once

#include "ui/window.h"

class TForm9 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
};

extern TForm9* Form9;
