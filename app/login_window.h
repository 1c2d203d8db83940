#pragma once

#include "app/login_rules.h"
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
    QTimer* Timer1;        // armed by a refused version check; its tick ends the application

    // The version check, then the build stamp in the caption.
    void FormActivate() override;

    void Button1Click();  // "Вход"
    void Button2Click();  // "Отмена"
    void Timer1Timer();
};

// What a role may not use in the journal and report windows, for the rest of the process.
void applyRole(UserRole role);

extern TForm23* Form23;
