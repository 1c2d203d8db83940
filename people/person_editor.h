#pragma once

#include "ui/window.h"

#include <QString>
#include <optional>

class QComboBox;
class QLineEdit;

namespace people {

// A person of "Пользователи": a new one (login, full name, job, first password typed twice), or
// another job for one who is there (the job alone can be changed).
class PersonEditor : public ui::Window {
    Q_OBJECT
public:
    explicit PersonEditor(QWidget* parent = nullptr);

    // "Новый пользователь", shown modally; the login of the person added, or nothing.
    std::optional<QString> addPerson();
    // "Должность": the person's job; true once it was changed.
    bool changeJob(const QString& login, const QString& fullName, const QString& job);

    void save();  // "Запись"

private:
    enum class Mode { Add, ChangeJob };
    void setMode(Mode mode);
    QString chosenJob() const;

    Mode mode_ = Mode::Add;
    QString shownJob_;
    QLineEdit* loginEdit_;
    QLineEdit* fullNameEdit_;
    QComboBox* jobBox_;
    QLineEdit* passwordEdit_;
    QLineEdit* repeatPasswordEdit_;
    QWidget* passwordRows_;
};

}  // namespace people
