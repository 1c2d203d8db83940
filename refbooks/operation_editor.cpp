#include "refbooks/operation_editor.h"

#include <QLineEdit>

TForm10* Form10 = nullptr;

TForm10::TForm10(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Цена операции"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
}
