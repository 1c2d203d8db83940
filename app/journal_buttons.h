#pragma once

#include <QWidget>

class QPushButton;

namespace journal {

// The journal's button row: "Добавить", "Изменить", "Удалить", "Обновить" and, on the right,
// "Выход". The window connects them to its actions.
class JournalButtons : public QWidget {
    Q_OBJECT
public:
    explicit JournalButtons(QWidget* parent);

    QPushButton* add() const { return add_; }
    QPushButton* change() const { return change_; }
    QPushButton* remove() const { return remove_; }
    QPushButton* refresh() const { return refresh_; }
    QPushButton* exit() const { return exit_; }

private:
    QPushButton* add_;
    QPushButton* change_;
    QPushButton* remove_;
    QPushButton* refresh_;
    QPushButton* exit_;
};

}  // namespace journal
