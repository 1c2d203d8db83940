#pragma once

#include "ui/window.h"

class TForm18 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);
};

extern TForm18* Form18;
