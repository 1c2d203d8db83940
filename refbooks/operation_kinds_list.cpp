#include "refbooks/operation_kinds_list.h"

TForm8* Form8 = nullptr;

TForm8::TForm8(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Виды операций"));
}

void TForm8::ShowAsReferenceBook() {}

void TForm8::ShowAsPicker() {}
