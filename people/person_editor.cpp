#include "people/person_editor.h"

#include "people/person_rules.h"
#include "people/person_session.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* box(QWidget* parent, const char* name, bool password = false) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (password)
        edit->setEchoMode(QLineEdit::Password);
    return edit;
}

}  // namespace

people::PersonEditor::PersonEditor(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("PersonEditor"));

    auto* group = new QWidget(this);
    loginEdit_ = box(group, "loginEdit");
    loginEdit_->setMaxLength(63);  // the server's limit of a role name
    fullNameEdit_ = box(group, "fullNameEdit");
    jobBox_ = new QComboBox(group);
    jobBox_->setObjectName(QStringLiteral("jobBox"));
    for (const QString& job : people::jobs())
        jobBox_->addItem(people::jobText(job), job);
    passwordRows_ = new QWidget(group);
    passwordEdit_ = box(passwordRows_, "newPasswordEdit", true);
    repeatPasswordEdit_ = box(passwordRows_, "repeatPasswordEdit", true);
    auto* passwordForm = new QFormLayout(passwordRows_);
    passwordForm->setContentsMargins(0, 0, 0, 0);
    passwordForm->addRow(QStringLiteral("Пароль"), passwordEdit_);
    passwordForm->addRow(QStringLiteral("Повторите пароль"), repeatPasswordEdit_);
    auto* form = new QFormLayout(group);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Имя входа"), loginEdit_);
    form->addRow(QStringLiteral("ФИО"), fullNameEdit_);
    form->addRow(QStringLiteral("Должность"), jobBox_);
    form->addRow(passwordRows_);
    group->setMinimumWidth(360);

    const ui::EditorButtons buttons =
        ui::layOutEditor(this, group, QStringLiteral("Запись"), false);
    connect(buttons.save, &QPushButton::clicked, this,
            ui::guarded(QStringLiteral("people: save"), [this] { save(); }));
}

void people::PersonEditor::setMode(Mode mode) {
    mode_ = mode;
    const bool adding = mode == Mode::Add;
    setWindowTitle(adding ? QStringLiteral("Новый пользователь") : QStringLiteral("Должность"));
    loginEdit_->setReadOnly(!adding);
    fullNameEdit_->setReadOnly(!adding);
    passwordRows_->setVisible(adding);
    passwordEdit_->clear();
    repeatPasswordEdit_->clear();
    adjustSize();
}

std::optional<QString> people::PersonEditor::addPerson() {
    setMode(Mode::Add);
    loginEdit_->clear();
    fullNameEdit_->clear();
    jobBox_->setCurrentIndex(0);
    loginEdit_->setFocus();
    const bool added = ui::showModal(this) == QDialog::Accepted;
    passwordEdit_->clear();
    repeatPasswordEdit_->clear();
    if (!added)
        return std::nullopt;
    return loginEdit_->text().trimmed();
}

bool people::PersonEditor::changeJob(const QString& login, const QString& fullName,
                                     const QString& job) {
    setMode(Mode::ChangeJob);
    loginEdit_->setText(login);
    fullNameEdit_->setText(fullName);
    shownJob_ = job;
    jobBox_->setCurrentIndex(std::max(0, jobBox_->findData(job)));
    jobBox_->setFocus();
    return ui::showModal(this) == QDialog::Accepted;
}

QString people::PersonEditor::chosenJob() const {
    return jobBox_->currentData().toString();
}

void people::PersonEditor::save() {
    const QString login = loginEdit_->text().trimmed();
    if (mode_ == Mode::ChangeJob) {
        if (chosenJob() != shownJob_)
            people::setPersonJob(login, chosenJob());
        accept();
        return;
    }
    const QString fullName = fullNameEdit_->text().trimmed();
    if (login.isEmpty()) {
        ui::showRefusal(QStringLiteral("Укажите имя входа."));
        return;
    }
    if (fullName.isEmpty()) {
        ui::showRefusal(QStringLiteral("Укажите ФИО пользователя."));
        return;
    }
    if (const auto refusal =
            people::passwordRefusal(passwordEdit_->text(), repeatPasswordEdit_->text())) {
        ui::showRefusal(*refusal);
        return;
    }
    people::addPerson(login, fullName, chosenJob(), passwordEdit_->text());
    accept();
}
