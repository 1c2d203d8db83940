#include "reports/detailed_products_layout.h"

TForm21* Form21 = nullptr;

TForm21::TForm21(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Form21"));
}
