#include "refbooks/workers_list.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Список рабочих"));
}

void TForm5::ShowAsReferenceBook() {}

void TForm5::ShowAsPicker() {}
