#include "refbooks/norms_window.h"

TForm22* Form22 = nullptr;

TForm22::TForm22(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form22"));
    setWindowTitle(QStringLiteral("Норматив"));
}
