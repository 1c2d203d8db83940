#include "reports/report_window.h"

#include "data/dataset.h"
#include "export/spreadsheet_bridge.h"
#include "export/workbook_display.h"
#include "printing/work_progress.h"
#include "reports/period_report.h"
#include "reports/report_catalog.h"
#include "reports/report_progress.h"
#include "reports/summary_export.h"
#include "reports/watched_work.h"
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

// Only the two frame titles are bold; what they hold is set back to normal explicitly, since an
// unchanged copy of the window font would still inherit the frame's bold.
void setBoldTitle(QGroupBox* group) {
    QFont bold = group->font();
    bold.setBold(true);
    group->setFont(bold);
}

void setNormalFont(QWidget* w) {
    QFont normal = w->font();
    normal.setBold(false);
    w->setFont(normal);
}

QDateEdit* makeDatePicker(QWidget* parent, const char* name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setNormalFont(d);
    return d;
}

QLabel* makeLabel(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    setNormalFont(label);
    return label;
}

}  // namespace

reports::ReportWindow::ReportWindow(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Отчеты"));
    buildKindGroup();
    buildPeriodGroup();
    buildButtons();
    arrange();
    summary_ = new data::Dataset(QStringLiteral("XLS_Rep"), this);
    summary_->setSql(reports::productionSummarySql());
    summary_->setReadInParts(true);  // so that "Отмена" stops the server's statement
    progress_ = std::make_unique<reports::ReportProgress>(this);
    connectButtons();
}

reports::ReportWindow::~ReportWindow() = default;

void reports::ReportWindow::buildKindGroup() {
    kindGroup_ = new QGroupBox(QStringLiteral("Вид продукции"), this);
    kindGroup_->setObjectName(QStringLiteral("RadioGroup1"));
    setBoldTitle(kindGroup_);
    auto* kinds = new QVBoxLayout(kindGroup_);
    const QString captions[3] = {QStringLiteral("Все"), QStringLiteral("Готовая продукция"),
                                 QStringLiteral("Заготовки")};
    for (int i = 0; i < 3; ++i) {
        kindButtons_[i] = new QRadioButton(captions[i], kindGroup_);
        kindButtons_[i]->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        setNormalFont(kindButtons_[i]);
        kinds->addWidget(kindButtons_[i]);
    }
    kindButtons_[0]->setChecked(true);
}

void reports::ReportWindow::buildPeriodGroup() {
    periodGroup_ = new QGroupBox(QStringLiteral("Период отбора"), this);
    periodGroup_->setObjectName(QStringLiteral("GroupBox1"));
    setBoldTitle(periodGroup_);
    fromPicker_ = makeDatePicker(periodGroup_, "DTPicker1");
    toPicker_ = makeDatePicker(periodGroup_, "DTPicker2");
    auto* period = new QHBoxLayout(periodGroup_);
    period->addWidget(makeLabel(periodGroup_, QStringLiteral("с")));
    period->addWidget(fromPicker_);
    period->addSpacing(12);
    period->addWidget(makeLabel(periodGroup_, QStringLiteral("по")));
    period->addWidget(toPicker_);
    period->addStretch();
}

void reports::ReportWindow::buildButtons() {
    for (const reports::ReportEntry& entry : reports::periodReports())
        offered_.push_back({new reports::PeriodReport(entry, this),
                            ui::makeButton(this, entry.buttonName, entry.caption)});
    summaryButton_ = ui::makeButton(this, "Button6", QStringLiteral("Excel (0 из 0)"));
    exitButton_ = ui::makeButton(this, "Button5", QStringLiteral("Выход"));
}

void reports::ReportWindow::arrange() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kindGroup_);
    layout->addWidget(periodGroup_);
    for (const OfferedReport& o : offered_)
        layout->addWidget(o.button);
    layout->addWidget(summaryButton_);
    layout->addSpacing(8);
    layout->addWidget(exitButton_);
    ui::fixSize(this, QSize(360, sizeHint().height()));
}

void reports::ReportWindow::connectButtons() {
    connect(exitButton_, &QPushButton::clicked, this, [this] { reject(); });
    for (const OfferedReport& o : offered_) {
        reports::PeriodReport* report = o.report;
        connect(o.button, &QPushButton::clicked, this,
                ui::guarded([this, report] { run(*report); }));
    }
    connect(summaryButton_, &QPushButton::clicked, this, ui::guarded([this] { exportSummary(); }));
}

reports::ProductKindChoice reports::ReportWindow::productKind() const {
    for (int i = 0; i < 3; ++i)
        if (kindButtons_[i]->isChecked())
            return static_cast<reports::ProductKindChoice>(i);
    return reports::ProductKindChoice::All;
}

void reports::ReportWindow::setProductKind(reports::ProductKindChoice kind) {
    kindButtons_[static_cast<int>(kind)]->setChecked(true);
}

void reports::ReportWindow::restrictTo(UserRole role) {
    for (const OfferedReport& o : offered_)
        if (!o.report->entry().mayRun(role))
            o.button->setEnabled(false);
    if (!reports::mayExportSummary(role))
        summaryButton_->setEnabled(false);
    if (const auto kind = reports::fixedProductKind(role)) {
        setProductKind(*kind);
        kindGroup_->setEnabled(false);
    }
}

void reports::ReportWindow::showWithPeriod(const QDate& from, const QDate& to) {
    fromPicker_->setDate(from);
    toPicker_->setDate(to);
    ui::showModal(this);
}

void reports::ReportWindow::prepareQuery(data::Dataset& query) const {
    query.setParam(QStringLiteral("data1"), fromPicker_->date());
    query.setParam(QStringLiteral("data2"), toPicker_->date());
    query.filterBy(reports::productKindFilter(productKind()));
}

void reports::ReportWindow::run(reports::PeriodReport& report) {
    data::Dataset& q = report.query();
    q.close();
    prepareQuery(q);
    // The progress window goes away however the run ends.
    const std::unique_ptr<reports::ReportProgress, void (*)(reports::ReportProgress*)> progress(
        progress_.get(), [](reports::ReportProgress* p) { p->finished(); });
    progress->start();
    try {
        {
            const ui::WaitCursor wait;        // a long period takes the server a while
            q.openFirstPart(progress.get());  // the rest as the pages need them
        }
        const data::CloseAtScopeEnd closer(q);  // also when preparing or previewing fails
        report.setTitle(
            reports::reportTitle(report.entry().heading, fromPicker_->date(), toPicker_->date()));
        report.preview(progress.get());
    } catch (const printing::WorkCancelled&) {
        // "Отмена": the rows and pages are let go, the report window is the user's again
    }
}

void reports::ReportWindow::exportSummary() {
    auto showCount = [this](int written, int total) {
        summaryButton_->setText(QStringLiteral("Excel (%1 из %2)").arg(written).arg(total));
        // The export runs on this thread: paint the caption now so the count can be followed.
        if (summaryButton_->isVisible())
            summaryButton_->repaint();
    };
    QString saved;
    if (!reports::runWatched(this, windowTitle(), [&](printing::WorkProgress& watch) {
            summary_->close();
            prepareQuery(*summary_);
            summary_->open(&watch);
            const data::CloseAtScopeEnd closer(*summary_);
            saved = reports::writeProductionSummary(*summary_, workbook_, showCount, &watch);
        }))
        return;
    exporting::showWorkbook(saved);
}
