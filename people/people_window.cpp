#include "people/people_window.h"

#include "data/dataset.h"
#include "people/password_change_dialog.h"
#include "people/people_statements.h"
#include "people/person_editor.h"
#include "people/person_rules.h"
#include "people/person_session.h"
#include "ui/controls.h"
#include "ui/error_display.h"
#include "ui/modal.h"
#include "views/grid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

people::PeopleWindow::PeopleWindow(people::PasswordChangeDialog& passwordDialog, QWidget* parent)
    : ui::Window(parent), passwordDialog_(passwordDialog) {
    setObjectName(QStringLiteral("PeopleWindow"));
    setWindowTitle(QStringLiteral("Пользователи"));

    editor_ = std::make_unique<people::PersonEditor>();
    people_ = new data::Dataset(QStringLiteral("People"), this);
    people_->setSql(people::statements::listPeople());
    grid_ = ui::makeListGrid(this, "peopleGrid", people_, columns());
    grid_->setMinimumSize(640, 320);
    addButton_ = ui::makeButton(this, "addPersonButton", QStringLiteral("Добавить"));
    jobButton_ = ui::makeButton(this, "changeJobButton", QStringLiteral("Должность"));
    resetButton_ = ui::makeButton(this, "resetPasswordButton", QStringLiteral("Сбросить пароль"));
    enabledButton_ = ui::makeButton(this, "enableLoginButton", QStringLiteral("Отключить вход"));
    closeButton_ = ui::makeButton(this, "peopleCloseButton", QStringLiteral("Закрыть"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {addButton_, jobButton_, resetButton_, enabledButton_})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);

    auto button = [this](QPushButton* b, const QString& action,
                         void (people::PeopleWindow::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                ui::guarded(QStringLiteral("people: ") + action,
                            [this, handler] { (this->*handler)(); }));
    };
    button(addButton_, QStringLiteral("add"), &people::PeopleWindow::addPerson);
    button(jobButton_, QStringLiteral("job"), &people::PeopleWindow::changeJob);
    button(resetButton_, QStringLiteral("password"), &people::PeopleWindow::resetPassword);
    button(enabledButton_, QStringLiteral("enabled"), &people::PeopleWindow::toggleEnabled);
    connect(closeButton_, &QPushButton::clicked, this, [this] { reject(); });
    connect(people_, &data::Dataset::currentChanged, this, [this] { followCurrent(); });
    connect(people_, &data::Dataset::rowsChanged, this, [this] { followCurrent(); });
}

people::PeopleWindow::~PeopleWindow() = default;

views::Columns people::PeopleWindow::columns() {
    auto text = [](const char* field, const char* caption, int width) {
        return views::Column{.field = QString::fromLatin1(field),
                             .caption = QString::fromUtf8(caption),
                             .width = width};
    };
    views::Column job = text("job", "Должность", 110);
    job.format = [](const QVariant& v) { return people::jobText(v.toString()); };
    // Widths that fit the grid without a scroll bar: "Вход разрешён" is the longest state.
    views::Column enabled = text("enabled", "Вход", 110);
    enabled.format = [](const QVariant& v) { return people::enabledText(v); };
    return {text("login", "Имя входа", 120), text("full_name", "ФИО", 270), job, enabled};
}

void people::PeopleWindow::showPeople() {
    people_->close();
    people_->open();
    people_->first();
    ui::showModal(this);
}

void people::PeopleWindow::reloadAt(const QString& login) {
    people_->close();
    people_->open();
    if (!people_->locate(QStringLiteral("login"), login))
        people_->first();
}

void people::PeopleWindow::followCurrent() {
    const bool any = people_->isOpen() && !people_->isEmpty();
    for (QPushButton* b : {jobButton_, resetButton_, enabledButton_})
        b->setEnabled(any);
    const bool enabled = any && people::isEnabled(people_->value(QStringLiteral("enabled")));
    enabledButton_->setText(!any || enabled ? QStringLiteral("Отключить вход")
                                            : QStringLiteral("Включить вход"));
}

void people::PeopleWindow::addPerson() {
    if (const std::optional<QString> login = editor_->addPerson())
        reloadAt(*login);
}

void people::PeopleWindow::changeJob() {
    if (people_->isEmpty())
        return;
    const QString login = people_->text(QStringLiteral("login"));
    if (editor_->changeJob(login, people_->text(QStringLiteral("full_name")),
                           people_->text(QStringLiteral("job"))))
        reloadAt(login);
}

void people::PeopleWindow::resetPassword() {
    if (people_->isEmpty())
        return;
    const QString login = people_->text(QStringLiteral("login"));
    const QString note =
        QStringLiteral("Новый пароль для %1 (%2). Его нужно будет сменить при первом входе.")
            .arg(people_->text(QStringLiteral("full_name")), login);
    if (passwordDialog_.ask(note, [login](const QString& password) {
            people::resetPersonPassword(login, password);
        }))
        reloadAt(login);
}

void people::PeopleWindow::toggleEnabled() {
    if (people_->isEmpty())
        return;
    const QString login = people_->text(QStringLiteral("login"));
    people::setPersonEnabled(login, !people::isEnabled(people_->value(QStringLiteral("enabled"))));
    reloadAt(login);
}
