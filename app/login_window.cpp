#include "app/login_window.h"

#include "app/journal_window.h"
#include "app/login_rules.h"
#include "app/termination.h"
#include "data/data_module.h"
#include "data/session_identity.h"
#include "people/person_rules.h"
#include "people/person_session.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

login::LoginDialog::LoginDialog(journal::JournalWindow& journal, QWidget* parent)
    : ui::Window(parent), journal_(journal) {
    setObjectName(QStringLiteral("Form23"));
    setWindowTitle(QStringLiteral("Авторизация"));

    userEdit_ = new QLineEdit(this);
    userEdit_->setObjectName(QStringLiteral("userEdit"));
    userEdit_->setMaxLength(63);  // the server's limit of a login name
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
    if (journal_.secured()) {
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Пользователь"), userEdit_);
        form->addRow(QStringLiteral("Пароль"), wordEdit_);
        layout->addLayout(form);
        userEdit_->setFocus();
    } else {
        userEdit_->hide();
        layout->addWidget(wordEdit_);
    }
    layout->addLayout(buttons);
    ui::fixSize(this, QSize(320, sizeHint().height()));

    connect(loginButton_, &QPushButton::clicked, this, ui::guarded([this] { logIn(); }));
    connect(cancelButton_, &QPushButton::clicked, this, ui::guarded([this] { cancel(); }));
    connect(exitTimer_, &QTimer::timeout, this, [this] { exitTimerExpired(); });
}

void login::LoginDialog::windowActivated() {
    journal_.checkVersion();
    const BuildStamp& s = journal_.buildStamp();
    setWindowTitle(QStringLiteral("Авторизация (build: %1.%2)").arg(s.date).arg(s.time));
}

void login::LoginDialog::logIn() {
    if (journal_.secured())
        logInPerson();
    else
        logInWithWord();
}

void login::LoginDialog::logInWithWord() {
    const QString word = wordEdit_->text().trimmed();
    journal_.logIn(word);
    const std::optional<UserRole> role = login::roleForWord(word);
    if (!role) {
        ui::showRefusal(QString::fromUtf8(login::kRefusedMessage));
        return;
    }
    openJournal(*role);
}

void login::LoginDialog::logInPerson() {
    const QString user = userEdit_->text().trimmed();
    journal_.logIn(user);
    // The password as typed: blanks may belong to it.
    const std::optional<people::Person> person = people::logInAs(
        journal_.sharedData().connection, journal_.builtInConnection(), user, wordEdit_->text());
    const std::optional<UserRole> role =
        person ? people::roleForJob(person->job) : std::optional<UserRole>();
    if (!role) {
        if (person)  // a job this client does not know: no work for it here
            journal_.sharedData().connection.open(journal_.builtInConnection());
        ui::showRefusal(QString::fromUtf8(login::kRefusedMessage));
        return;
    }
    // A password the administrator gave is changed before anything else; without the change
    // the login does not go on.
    if (person->mustChangePassword && !journal_.changeOwnPassword(true)) {
        journal_.sharedData().connection.open(journal_.builtInConnection());
        return;
    }
    wordEdit_->clear();
    journal_.logInPerson(person->fullName, *role);
    // The built-in login only compared the version record; the person's session raises it.
    journal_.checkVersion();
    openJournal(*role);
}

void login::LoginDialog::openJournal(UserRole role) {
    // The database records the role with every change this session makes.
    data::setSessionRole(login::roleName(role));
    journal_.restrictTo(role);
    hide();
    ui::showModal(&journal_);
    close();
}

void login::LoginDialog::cancel() {
    close();
}

void login::LoginDialog::armExitTimer() {
    exitTimer_->start();
}

void login::LoginDialog::exitTimerExpired() {
    terminateApplication();
}
