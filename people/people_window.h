#pragma once

#include "ui/window.h"
#include "views/columns.h"

#include <memory>

namespace people {
class PasswordChangeDialog;
class PersonEditor;
}  // namespace people
class QPushButton;
class QTableView;
namespace data {
class Dataset;
}

namespace people {

// "Пользователи": the administrator's list of the people who log in to this database (login, full
// name, job, whether the login is enabled), where people are added, their job changed, their
// password reset and their login disabled or enabled again. Every change is the server's.
class PeopleWindow : public ui::Window {
    Q_OBJECT
public:
    explicit PeopleWindow(people::PasswordChangeDialog& passwordDialog, QWidget* parent = nullptr);
    ~PeopleWindow() override;

    // The list read afresh, shown modally.
    void showPeople();

    void addPerson();      // "Добавить"
    void changeJob();      // "Должность"
    void resetPassword();  // "Сбросить пароль"
    void toggleEnabled();  // "Отключить вход" / "Включить вход"

    data::Dataset& people() const { return *people_; }
    static views::Columns columns();

private:
    void reloadAt(const QString& login);
    void followCurrent();  // the enabling button's caption follows the current row

    people::PasswordChangeDialog& passwordDialog_;
    std::unique_ptr<people::PersonEditor> editor_;
    data::Dataset* people_;
    QTableView* grid_;
    QPushButton* addButton_;
    QPushButton* jobButton_;
    QPushButton* resetButton_;
    QPushButton* enabledButton_;
    QPushButton* closeButton_;
};

}  // namespace people
