#include "refbooks/operation_kind_editor.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Вид операции"));
}
