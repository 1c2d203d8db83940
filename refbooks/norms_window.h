#pragma once

#include "ui/window.h"

class TForm22 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm22(QWidget* parent = nullptr);
};

extern TForm22* Form22;
