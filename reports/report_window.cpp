#include "reports/report_window.h"

#include "data/dataset.h"
#include "export/spreadsheet_bridge.h"
#include "reports/detailed_products_layout.h"
#include "reports/detailed_workers_layout.h"
#include "reports/products_report_layout.h"
#include "reports/report_statements.h"
#include "reports/summary_export.h"
#include "reports/workers_report_layout.h"
#include "ui/controls.h"
#include "ui/error_display.h"
#include "ui/modal.h"
#include "ui/wait_cursor.h"

#include <QDateEdit>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TForm18* Form18 = nullptr;

namespace {
QDateEdit* makeDatePicker(QWidget* parent, const char* name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return d;
}
}  // namespace

TForm18::TForm18(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Отчеты"));

    QFont bold = font();
    bold.setBold(true);
    // Only the two frame titles are bold; what they hold is set back to normal explicitly, since
    // an unchanged copy of the window font would still inherit the frame's bold.
    QFont normal = font();
    normal.setBold(false);

    RadioGroup1 = new QGroupBox(QStringLiteral("Вид продукции"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setFont(bold);
    auto* kinds = new QVBoxLayout(RadioGroup1);
    const QString captions[3] = {QStringLiteral("Все"), QStringLiteral("Готовая продукция"),
                                 QStringLiteral("Заготовки")};
    for (int i = 0; i < 3; ++i) {
        RadioGroup1Items[i] = new QRadioButton(captions[i], RadioGroup1);
        RadioGroup1Items[i]->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        RadioGroup1Items[i]->setFont(normal);
        kinds->addWidget(RadioGroup1Items[i]);
    }
    RadioGroup1Items[0]->setChecked(true);

    GroupBox1 = new QGroupBox(QStringLiteral("Период отбора"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFont(bold);
    DTPicker1 = makeDatePicker(GroupBox1, "DTPicker1");
    DTPicker2 = makeDatePicker(GroupBox1, "DTPicker2");
    DTPicker1->setFont(normal);
    DTPicker2->setFont(normal);
    auto* period = new QHBoxLayout(GroupBox1);
    auto* fromLabel = new QLabel(QStringLiteral("с"), GroupBox1);
    auto* toLabel = new QLabel(QStringLiteral("по"), GroupBox1);
    fromLabel->setFont(normal);
    toLabel->setFont(normal);
    period->addWidget(fromLabel);
    period->addWidget(DTPicker1);
    period->addSpacing(12);
    period->addWidget(toLabel);
    period->addWidget(DTPicker2);
    period->addStretch();

    Button4 = ui::makeButton(this, "Button4", QStringLiteral("Отчет по рабочим"));
    Button2 = ui::makeButton(this, "Button2", QStringLiteral("Отчет по продукции"));
    Button1 = ui::makeButton(this, "Button1", QStringLiteral("Детальный отчет по рабочим"));
    Button3 = ui::makeButton(this, "Button3", QStringLiteral("Детальный отчет по продукции"));
    Button6 = ui::makeButton(this, "Button6", QStringLiteral("Excel (0 из 0)"));
    Button5 = ui::makeButton(this, "Button5", QStringLiteral("Выход"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(GroupBox1);
    for (QPushButton* b : {Button4, Button2, Button1, Button3, Button6})
        layout->addWidget(b);
    layout->addSpacing(8);
    layout->addWidget(Button5);
    ui::fixSize(this, QSize(360, sizeHint().height()));

    XLS_Rep = new data::Dataset(QStringLiteral("XLS_Rep"), this);
    XLS_Rep->setSql(reports::productionSummarySql());

    connect(Button5, &QPushButton::clicked, this, [this] { reject(); });
    connect(Button4, &QPushButton::clicked, this, ui::guarded([this] { Button4Click(); }));
    connect(Button2, &QPushButton::clicked, this, ui::guarded([this] { Button2Click(); }));
    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
    connect(Button3, &QPushButton::clicked, this, ui::guarded([this] { Button3Click(); }));
    connect(Button6, &QPushButton::clicked, this, ui::guarded([this] { Button6Click(); }));
}

int TForm18::productKindIndex() const {
    for (int i = 0; i < 3; ++i)
        if (RadioGroup1Items[i]->isChecked())
            return i;
    return 0;
}

void TForm18::setProductKindIndex(int index) {
    if (index >= 0 && index < 3)
        RadioGroup1Items[index]->setChecked(true);
}

void TForm18::ShowWithPeriod(const QDate& from, const QDate& to) {
    DTPicker1->setDate(from);
    DTPicker2->setDate(to);
    ui::showModal(this);
}

void TForm18::prepareQuery(data::Dataset& query) const {
    query.setParam(QStringLiteral("data1"), DTPicker1->date());
    query.setParam(QStringLiteral("data2"), DTPicker2->date());
    query.filterBy(reports::productKindFilter(productKindIndex()));
}

void TForm18::runReport(PeriodReport& report, const QString& heading) {
    data::Dataset& q = report.query();
    q.close();
    prepareQuery(q);
    {
        const ui::WaitCursor wait;  // a long period takes the server a while
        q.open();
    }
    const data::CloseAtScopeEnd closer(q);  // also when preparing or previewing fails
    report.QRLabel1 = reports::reportTitle(heading, DTPicker1->date(), DTPicker2->date());
    report.preview();
}

void TForm18::Button4Click() {
    runReport(*Form16, QStringLiteral("   Отчет по рабочим за период с "));
}

void TForm18::Button2Click() {
    runReport(*Form17, QStringLiteral("   Отчет по продукции за период с "));
}

void TForm18::Button1Click() {
    runReport(*Form20, QStringLiteral("   Детальный отчет по рабочим за период с "));
}

void TForm18::Button3Click() {
    runReport(*Form21, QStringLiteral("   Детальный отчет по продукции за период с "));
}

void TForm18::Button6Click() {
    ui::WaitCursor wait;
    XLS_Rep->close();
    prepareQuery(*XLS_Rep);
    XLS_Rep->open();
    const data::CloseAtScopeEnd closer(*XLS_Rep);
    reports::writeProductionSummary(*XLS_Rep, ReportBridge(), [this](int written, int total) {
        Button6->setText(QStringLiteral("Excel (%1 из %2)").arg(written).arg(total));
        // The export runs on this thread: paint the caption now so the count can be followed.
        if (Button6->isVisible())
            Button6->repaint();
    });
}
