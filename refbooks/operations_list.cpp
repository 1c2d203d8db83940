#include "refbooks/operations_list.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Операции"));
}

void TForm4::ShowAsReferenceBook() {}

void TForm4::ShowAsPicker(int) {}
