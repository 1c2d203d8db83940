#pragma once

#include "data/command.h"
#include "ui/window.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QWheelEvent;

namespace data {
class Dataset;
}

// The worker editor: adds (Tag 1) or changes (Tag 2) one row of accounts_dep.person.
class TForm2 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // Reads the three lookup lists afresh (staffpos, roles, department); each keeps the entry
    // chosen at its last use.
    void ReopenLookups();

    void FormActivate() override;
    void Button1Click();  // "Записать"
    // Wheel down (or up) moves whichever lookup list has the focus to its next (previous) entry.
    void FormMouseWheel(bool down);

    QLineEdit* Edit1;
    QComboBox* LCB_department;
    QComboBox* LCB_staffpos;
    QComboBox* LCB_roles;
    QPushButton* Button1;
    QPushButton* Button2;

    int person_id = 0;
    data::Command cmd_person{QStringLiteral("cmd_person")};

    data::Dataset* staffpos;
    data::Dataset* department;
    data::Dataset* roles;

protected:
    void wheelEvent(QWheelEvent* event) override;
};

extern TForm2* Form2;
