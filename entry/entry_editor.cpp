#include "entry/entry_editor.h"

#include <QLineEdit>

TForm11* Form11 = nullptr;

TForm11::TForm11(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Позиция"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
}

void TForm11::PrepareAdd() {}

void TForm11::PrepareChange() {}
