#pragma once

#include "ui/window.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace people {

// "Смена пароля": a new password typed twice. The window checks the two alike and hands the
// password to what the opener does with it (the person's own change, an administrator's reset),
// which sends the server only a verifier. A refused change keeps the window open.
class PasswordChangeDialog : public ui::Window {
    Q_OBJECT
public:
    using Apply = std::function<void(const QString& password)>;

    explicit PasswordChangeDialog(QWidget* parent = nullptr);

    // Shown modally with note above the boxes; true once apply has taken a password.
    bool ask(const QString& note, Apply apply);

    void change();  // "Сменить пароль"

private:
    Apply apply_;
    QLabel* noteLabel_;
    QLineEdit* newPasswordEdit_;
    QLineEdit* repeatPasswordEdit_;
    QPushButton* changeButton_;
    QPushButton* cancelButton_;
};

}  // namespace people
