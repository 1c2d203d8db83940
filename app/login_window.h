#pragma once

#include "ui/window.h"

class QLineEdit;
class QPushButton;
class QTimer;

// The login window "Авторизация": the application's main window and the first one on screen.
class TForm23 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);

    QLineEdit* Edit1;
    QPushButton* Button1;  // "Вход"
    QPushButton* Button2;  // "Отмена"
    QTimer* Timer1;

    void Button2Click();
};

extern TForm23* Form23;
