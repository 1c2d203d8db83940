#include "people/password_change_dialog.h"

#include "people/person_rules.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* passwordBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEchoMode(QLineEdit::Password);
    return box;
}

}  // namespace

people::PasswordChangeDialog::PasswordChangeDialog(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("PasswordChangeDialog"));
    setWindowTitle(QStringLiteral("Смена пароля"));

    noteLabel_ = new QLabel(this);
    noteLabel_->setObjectName(QStringLiteral("passwordNoteLabel"));
    noteLabel_->setWordWrap(true);
    newPasswordEdit_ = passwordBox(this, "newPasswordEdit");
    repeatPasswordEdit_ = passwordBox(this, "repeatPasswordEdit");
    changeButton_ = ui::makeButton(this, "changePasswordButton", QStringLiteral("Сменить пароль"));
    changeButton_->setDefault(true);
    cancelButton_ = ui::makeButton(this, "cancelPasswordButton", QStringLiteral("Отмена"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Новый пароль"), newPasswordEdit_);
    form->addRow(QStringLiteral("Повторите пароль"), repeatPasswordEdit_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(changeButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(noteLabel_);
    layout->addLayout(form);
    layout->addLayout(buttons);
    ui::fixSize(this, QSize(360, sizeHint().height()));

    connect(changeButton_, &QPushButton::clicked, this,
            ui::guarded(QStringLiteral("password: change"), [this] { change(); }));
    connect(cancelButton_, &QPushButton::clicked, this, [this] { reject(); });
}

bool people::PasswordChangeDialog::ask(const QString& note, Apply apply) {
    apply_ = std::move(apply);
    noteLabel_->setText(note);
    noteLabel_->setVisible(!note.isEmpty());
    newPasswordEdit_->clear();
    repeatPasswordEdit_->clear();
    newPasswordEdit_->setFocus();
    const bool changed = ui::showModal(this) == QDialog::Accepted;
    // The typed passwords do not outlive the showing.
    newPasswordEdit_->clear();
    repeatPasswordEdit_->clear();
    apply_ = nullptr;
    return changed;
}

void people::PasswordChangeDialog::change() {
    const QString password = newPasswordEdit_->text();
    if (const auto refusal = people::passwordRefusal(password, repeatPasswordEdit_->text())) {
        ui::showRefusal(*refusal);
        return;
    }
    if (apply_)
        apply_(password);  // a refusal of the server ends here; the window stays open
    accept();
}
