#include "reports/detailed_workers_layout.h"

TForm20* Form20 = nullptr;

TForm20::TForm20(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Form20"));
}
