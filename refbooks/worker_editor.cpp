#include "refbooks/worker_editor.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Работники"));
}
