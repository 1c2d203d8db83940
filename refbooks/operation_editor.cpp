#include "refbooks/operation_editor.h"

TForm10* Form10 = nullptr;

TForm10::TForm10(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Цена операции"));
}
