#include "reports/products_report_layout.h"

TForm17* Form17 = nullptr;

TForm17::TForm17(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Form17"));
}
