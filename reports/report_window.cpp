#include "reports/report_window.h"

#include "data/dataset.h"
#include "export/spreadsheet_bridge.h"
#include "printing/work_progress.h"
#include "reports/detailed_products_layout.h"
#include "reports/detailed_workers_layout.h"
#include "reports/products_report_layout.h"
#include "reports/report_progress.h"
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

namespace {
QDateEdit* makeDatePicker(QWidget* parent, const char* name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return d;
}
}  // namespace

ReportWindow::ReportWindow(QWidget* parent)
    : ui::Window(parent),
      workersReport_(new WorkersReport(this)),
      productsReport_(new ProductsReport(this)),
      detailedWorkersReport_(new DetailedWorkersReport(this)),
      detailedProductsReport_(new DetailedProductsReport(this)) {
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Отчеты"));

    QFont bold = font();
    bold.setBold(true);
    // Only the two frame titles are bold; what they hold is set back to normal explicitly, since
    // an unchanged copy of the window font would still inherit the frame's bold.
    QFont normal = font();
    normal.setBold(false);

    kindGroup_ = new QGroupBox(QStringLiteral("Вид продукции"), this);
    kindGroup_->setObjectName(QStringLiteral("RadioGroup1"));
    kindGroup_->setFont(bold);
    auto* kinds = new QVBoxLayout(kindGroup_);
    const QString captions[3] = {QStringLiteral("Все"), QStringLiteral("Готовая продукция"),
                                 QStringLiteral("Заготовки")};
    for (int i = 0; i < 3; ++i) {
        kindButtons_[i] = new QRadioButton(captions[i], kindGroup_);
        kindButtons_[i]->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        kindButtons_[i]->setFont(normal);
        kinds->addWidget(kindButtons_[i]);
    }
    kindButtons_[0]->setChecked(true);

    periodGroup_ = new QGroupBox(QStringLiteral("Период отбора"), this);
    periodGroup_->setObjectName(QStringLiteral("GroupBox1"));
    periodGroup_->setFont(bold);
    fromPicker_ = makeDatePicker(periodGroup_, "DTPicker1");
    toPicker_ = makeDatePicker(periodGroup_, "DTPicker2");
    fromPicker_->setFont(normal);
    toPicker_->setFont(normal);
    auto* period = new QHBoxLayout(periodGroup_);
    auto* fromLabel = new QLabel(QStringLiteral("с"), periodGroup_);
    auto* toLabel = new QLabel(QStringLiteral("по"), periodGroup_);
    fromLabel->setFont(normal);
    toLabel->setFont(normal);
    period->addWidget(fromLabel);
    period->addWidget(fromPicker_);
    period->addSpacing(12);
    period->addWidget(toLabel);
    period->addWidget(toPicker_);
    period->addStretch();

    workersButton_ = ui::makeButton(this, "Button4", QStringLiteral("Отчет по рабочим"));
    productsButton_ = ui::makeButton(this, "Button2", QStringLiteral("Отчет по продукции"));
    detailedWorkersButton_ =
        ui::makeButton(this, "Button1", QStringLiteral("Детальный отчет по рабочим"));
    detailedProductsButton_ =
        ui::makeButton(this, "Button3", QStringLiteral("Детальный отчет по продукции"));
    summaryButton_ = ui::makeButton(this, "Button6", QStringLiteral("Excel (0 из 0)"));
    exitButton_ = ui::makeButton(this, "Button5", QStringLiteral("Выход"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kindGroup_);
    layout->addWidget(periodGroup_);
    for (QPushButton* b : {workersButton_, productsButton_, detailedWorkersButton_,
                           detailedProductsButton_, summaryButton_})
        layout->addWidget(b);
    layout->addSpacing(8);
    layout->addWidget(exitButton_);
    ui::fixSize(this, QSize(360, sizeHint().height()));

    summary_ = new data::Dataset(QStringLiteral("XLS_Rep"), this);
    summary_->setSql(reports::productionSummarySql());
    progress_ = std::make_unique<ReportProgress>(this);

    connect(exitButton_, &QPushButton::clicked, this, [this] { reject(); });
    connect(workersButton_, &QPushButton::clicked, this,
            ui::guarded([this] { runWorkersReport(); }));
    connect(productsButton_, &QPushButton::clicked, this,
            ui::guarded([this] { runProductsReport(); }));
    connect(detailedWorkersButton_, &QPushButton::clicked, this,
            ui::guarded([this] { runDetailedWorkersReport(); }));
    connect(detailedProductsButton_, &QPushButton::clicked, this,
            ui::guarded([this] { runDetailedProductsReport(); }));
    connect(summaryButton_, &QPushButton::clicked, this, ui::guarded([this] { exportSummary(); }));
}

ReportWindow::~ReportWindow() = default;

int ReportWindow::productKindIndex() const {
    for (int i = 0; i < 3; ++i)
        if (kindButtons_[i]->isChecked())
            return i;
    return 0;
}

void ReportWindow::setProductKindIndex(int index) {
    if (index >= 0 && index < 3)
        kindButtons_[index]->setChecked(true);
}

void ReportWindow::lockReports() {
    for (QPushButton* b : {detailedWorkersButton_, productsButton_, workersButton_, summaryButton_})
        b->setEnabled(false);
}

void ReportWindow::lockProductKind(int index) {
    setProductKindIndex(index);
    kindGroup_->setEnabled(false);
}

void ReportWindow::showWithPeriod(const QDate& from, const QDate& to) {
    fromPicker_->setDate(from);
    toPicker_->setDate(to);
    ui::showModal(this);
}

void ReportWindow::prepareQuery(data::Dataset& query) const {
    query.setParam(QStringLiteral("data1"), fromPicker_->date());
    query.setParam(QStringLiteral("data2"), toPicker_->date());
    query.filterBy(reports::productKindFilter(productKindIndex()));
}

void ReportWindow::runReport(PeriodReport& report, const QString& heading) {
    data::Dataset& q = report.query();
    q.close();
    prepareQuery(q);
    // The progress window goes away however the run ends.
    const std::unique_ptr<ReportProgress, void (*)(ReportProgress*)> progress(
        progress_.get(), [](ReportProgress* p) { p->finished(); });
    progress->start();
    try {
        {
            const ui::WaitCursor wait;  // a long period takes the server a while
            q.open(progress.get());
        }
        const data::CloseAtScopeEnd closer(q);  // also when preparing or previewing fails
        report.setTitle(reports::reportTitle(heading, fromPicker_->date(), toPicker_->date()));
        report.preview(progress.get());
    } catch (const printing::WorkCancelled&) {
        // "Отмена": the rows and pages are let go, the report window is the user's again
    }
}

void ReportWindow::runWorkersReport() {
    runReport(*workersReport_, QStringLiteral("   Отчет по рабочим за период с "));
}

void ReportWindow::runProductsReport() {
    runReport(*productsReport_, QStringLiteral("   Отчет по продукции за период с "));
}

void ReportWindow::runDetailedWorkersReport() {
    runReport(*detailedWorkersReport_,
              QStringLiteral("   Детальный отчет по рабочим за период с "));
}

void ReportWindow::runDetailedProductsReport() {
    runReport(*detailedProductsReport_,
              QStringLiteral("   Детальный отчет по продукции за период с "));
}

void ReportWindow::exportSummary() {
    ui::WaitCursor wait;
    summary_->close();
    prepareQuery(*summary_);
    summary_->open();
    const data::CloseAtScopeEnd closer(*summary_);
    reports::writeProductionSummary(*summary_, ReportBridge(), [this](int written, int total) {
        summaryButton_->setText(QStringLiteral("Excel (%1 из %2)").arg(written).arg(total));
        // The export runs on this thread: paint the caption now so the count can be followed.
        if (summaryButton_->isVisible())
            summaryButton_->repaint();
    });
}
