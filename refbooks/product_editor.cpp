#include "refbooks/product_editor.h"

TForm7* Form7 = nullptr;

TForm7::TForm7(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Изделие"));
}
