#pragma once

#include "ui/window.h"

class JournalWindow;
class QLineEdit;
class QPushButton;
class QTimer;

// The login window "Авторизация": the first window on screen. A known word opens the journal,
// restricted to the word's role.
class LoginDialog : public ui::Window {
    Q_OBJECT
public:
    explicit LoginDialog(JournalWindow& journal, QWidget* parent = nullptr);

    // The version check, then the build stamp in the caption.
    void windowActivated() override;

    void logIn();   // "Вход"
    void cancel();  // "Отмена"
    // Armed by a refused version check: its tick (5 s) ends the application.
    void armExitTimer();
    void exitTimerExpired();

private:
    JournalWindow& journal_;
    QLineEdit* wordEdit_;
    QPushButton* loginButton_;
    QPushButton* cancelButton_;
    QTimer* exitTimer_;
};
