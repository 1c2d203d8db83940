#include "entry/entry_editor.h"

TForm11* Form11 = nullptr;

TForm11::TForm11(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Позиция"));
}
