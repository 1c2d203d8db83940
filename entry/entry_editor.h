#pragma once

#include "ui/window.h"

class TForm11 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
};

extern TForm11* Form11;
