#include "reports/workers_report_layout.h"

TForm16* Form16 = nullptr;

TForm16::TForm16(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Form16"));
}
