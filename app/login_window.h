#pragma once

#include "data/user_role.h"
#include "ui/window.h"

namespace journal {
class JournalWindow;
}  // namespace journal
class QLineEdit;
class QPushButton;
class QTimer;

namespace login {

// The login window "Авторизация": the first window on screen. A known word opens the journal,
// restricted to the word's role. On a secured database a person logs in instead, with a login
// name and password: the session becomes the person's and the job the server gives it selects
// the role.
class LoginDialog : public ui::Window {
    Q_OBJECT
public:
    explicit LoginDialog(journal::JournalWindow& journal, QWidget* parent = nullptr);

    // The version check, then the build stamp in the caption.
    void windowActivated() override;

    void logIn();   // "Вход"
    void cancel();  // "Отмена"
    // Armed by a refused version check: its tick (5 s) ends the application.
    void armExitTimer();
    void exitTimerExpired();

private:
    void logInWithWord();
    void logInPerson();
    // The journal shown modally for the role; the login window closes when it closes.
    void openJournal(UserRole role);

    journal::JournalWindow& journal_;
    QLineEdit* userEdit_;  // "Пользователь": shown only on a secured database
    QLineEdit* wordEdit_;  // the access word, or the person's password
    QPushButton* loginButton_;
    QPushButton* cancelButton_;
    QTimer* exitTimer_;
};

}  // namespace login
