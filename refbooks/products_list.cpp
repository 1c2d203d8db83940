#include "refbooks/products_list.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Изделия"));
}

void TForm3::ShowAsReferenceBook() {}

void TForm3::ShowAsPicker() {}
