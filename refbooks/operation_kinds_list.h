#pragma once

#include "ui/window.h"

class TForm8 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
};

extern TForm8* Form8;
