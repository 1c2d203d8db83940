#include "app/login_window.h"

#include "app/journal_window.h"
#include "app/login_rules.h"
#include "app/termination.h"
#include "data/session_identity.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

LoginDialog::LoginDialog(JournalWindow& journal, QWidget* parent)
    : ui::Window(parent), journal_(journal) {
    setObjectName(QStringLiteral("Form23"));
    setWindowTitle(QStringLiteral("Авторизация"));

    wordEdit_ = new QLineEdit(this);
    wordEdit_->setObjectName(QStringLiteral("Edit1"));
    wordEdit_->setEchoMode(QLineEdit::Password);
    // One '*' per character, whatever mask the widget style would draw.
    wordEdit_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    loginButton_ = ui::makeButton(this, "Button1", QStringLiteral("Вход"));
    loginButton_->setDefault(true);
    cancelButton_ = ui::makeButton(this, "Button2", QStringLiteral("Отмена"));
    exitTimer_ = new QTimer(this);
    exitTimer_->setObjectName(QStringLiteral("Timer1"));
    exitTimer_->setInterval(5000);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(loginButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wordEdit_);
    layout->addLayout(buttons);
    ui::fixSize(this, QSize(320, sizeHint().height()));

    connect(loginButton_, &QPushButton::clicked, this, ui::guarded([this] { logIn(); }));
    connect(cancelButton_, &QPushButton::clicked, this, ui::guarded([this] { cancel(); }));
    connect(exitTimer_, &QTimer::timeout, this, [this] { exitTimerExpired(); });
}

void LoginDialog::windowActivated() {
    journal_.checkVersion();
    const BuildStamp& s = journal_.buildStamp();
    setWindowTitle(QStringLiteral("Авторизация (build: %1.%2)").arg(s.date).arg(s.time));
}

void LoginDialog::logIn() {
    const QString word = wordEdit_->text().trimmed();
    journal_.logIn(word);
    const std::optional<UserRole> role = login::roleForWord(word);
    if (!role) {
        ui::showRefusal(QStringLiteral("Введены неверные данные."));
        return;
    }
    // The database records the role with every change this session makes.
    data::setSessionRole(login::roleName(*role));
    journal_.restrictTo(*role);
    hide();
    ui::showModal(&journal_);
    close();
}

void LoginDialog::cancel() {
    close();
}

void LoginDialog::armExitTimer() {
    exitTimer_->start();
}

void LoginDialog::exitTimerExpired() {
    terminateApplication();
}
