#include "app/journal_shift_bar.h"

#include "timesheet/month_closing.h"
#include "ui/clock.h"
#include "ui/colors.h"
#include "ui/error_display.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

namespace journal {

namespace {
// A check box or radio button marked by a coloured background and a bold caption.
void paintMarked(QWidget* w, bool marked, quint32 colour) {
    QPalette p = w->palette();
    const QColor background = marked ? ui::color(colour) : ui::color(ui::kSysButtonFace);
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::Button, background);
    // The caption stays readable: white on a dark background (the shift's green).
    const QColor caption = marked && background.lightness() < 100
                               ? QColor(Qt::white)
                               : QGuiApplication::palette().color(QPalette::WindowText);
    p.setColor(QPalette::WindowText, caption);
    p.setColor(QPalette::ButtonText, caption);
    w->setPalette(p);
    w->setBackgroundRole(QPalette::Window);
    w->setAutoFillBackground(true);
    QFont f = w->font();
    f.setBold(marked);
    w->setFont(f);
}
}  // namespace

ShiftDateBar::ShiftDateBar(data::SharedData& db, QWidget* parent) : QWidget(parent), db_(db) {
    auto radio = [this](const char* name, const QString& caption, int shift) {
        auto* b = new QRadioButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QRadioButton::clicked, this, [this, shift] { emit shiftClicked(shift); });
        return b;
    };
    shiftButtons_ = {radio("RadioButton1", QStringLiteral("Смена №1"), 1),
                     radio("RadioButton2", QStringLiteral("Смена №2"), 2),
                     radio("RadioButton3", QStringLiteral("Смена №3"), 3),
                     radio("RadioButton4", QStringLiteral("Переработка"), 4)};
    shiftButtons_[0]->setChecked(true);

    datePicker_ = new QDateEdit(this);
    datePicker_->setObjectName(QStringLiteral("DateT"));
    datePicker_->setCalendarPopup(true);
    datePicker_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    datePicker_->setDate(ui::today());
    datePicker_->installEventFilter(this);
    datePicker_->calendarWidget()->window()->installEventFilter(this);

    monthStateLabel_ = new QLabel(this);
    monthStateLabel_->setObjectName(QStringLiteral("monthStateLabel"));
    QPalette red = monthStateLabel_->palette();
    red.setColor(QPalette::WindowText, ui::color(ui::kRed));
    monthStateLabel_->setPalette(red);
    QFont bold = monthStateLabel_->font();
    bold.setBold(true);
    monthStateLabel_->setFont(bold);
    // Typing a date changes it field by field: the database is asked once per month reached.
    connect(datePicker_, &QDateEdit::dateChanged, this,
            ui::guarded([this] { showMonthState(false); }));

    dayOffCheck_ = new QCheckBox(QStringLiteral("Выходной"), this);
    dayOffCheck_->setObjectName(QStringLiteral("CBox1"));
    connect(dayOffCheck_, &QCheckBox::toggled, this, ui::guarded([this] { paintDayOff(); }));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    for (QRadioButton* b : shiftButtons_)
        row->addWidget(b);
    row->addSpacing(24);
    row->addWidget(datePicker_);
    row->addWidget(dayOffCheck_);
    row->addWidget(monthStateLabel_);
    row->addStretch();

    paintShiftButtons();
    paintMarked(dayOffCheck_, false, ui::kRed);
}

QDate ShiftDateBar::date() const {
    return datePicker_->date();
}

void ShiftDateBar::setDate(const QDate& day) {
    datePicker_->setDate(day);
}

bool ShiftDateBar::dayOff() const {
    return dayOffCheck_->isChecked();
}

void ShiftDateBar::setDayOff(bool on) {
    dayOffCheck_->setChecked(on);
}

QRadioButton* ShiftDateBar::shiftButton(int shift) const {
    return shift >= 2 && shift <= 4 ? shiftButtons_[shift - 1] : shiftButtons_[0];
}

bool ShiftDateBar::isChosen(int shift) const {
    return shiftButton(shift)->isChecked();
}

void ShiftDateBar::setChoosable(bool on) {
    for (QWidget* c :
         {static_cast<QWidget*>(shiftButtons_[0]), static_cast<QWidget*>(shiftButtons_[1]),
          static_cast<QWidget*>(shiftButtons_[2]), static_cast<QWidget*>(shiftButtons_[3]),
          static_cast<QWidget*>(dayOffCheck_), static_cast<QWidget*>(datePicker_)})
        c->setEnabled(on);
}

void ShiftDateBar::paintShiftButtons() {
    for (QRadioButton* b : shiftButtons_)
        paintMarked(b, b->isChecked(), ui::kGreen);
}

void ShiftDateBar::paintDayOff() {
    paintMarked(dayOffCheck_, dayOffCheck_->isChecked(), ui::kRed);
}

void ShiftDateBar::showMonthState(bool recheck) {
    const QDate day = datePicker_->date();
    const QDate month(day.year(), day.month(), 1);
    if (!recheck && month == stateMonth_)
        return;
    stateMonth_ = QDate();  // unknown until the answer comes
    const bool closed = timesheet::monthClosed(db_, day.month(), day.year());
    stateMonth_ = month;
    monthStateLabel_->setText(timesheet::closing_text::journalState(closed));
}

bool ShiftDateBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == datePicker_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit dateChosen();
            return true;
        }
    } else if (watched != datePicker_ && event->type() == QEvent::Hide) {
        QTimer::singleShot(0, this, [this] { emit dateChosen(); });
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace journal
