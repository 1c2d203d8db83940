#include "app/journal_window.h"

#include "app/journal_rules.h"
#include "app/journal_statements.h"
#include "app/login_rules.h"
#include "app/login_window.h"
#include "app/version_check.h"
#include "data/data_module.h"
#include "data/dataset_model.h"
#include "entry/entry_editor.h"
#include "entry/entry_save.h"
#include "refbooks/operation_kinds_list.h"
#include "refbooks/operations_list.h"
#include "refbooks/products_list.h"
#include "refbooks/workers_list.h"
#include "reports/report_window.h"
#include "timesheet/timesheet_window.h"
#include "ui/clock.h"
#include "ui/colors.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/format.h"
#include "ui/grid.h"
#include "ui/wait_cursor.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

TForm1* Form1 = nullptr;

namespace {

QString timestampText(const QVariant& v) {
    return v.isNull() ? QString() : journal::entryTimeText(v.toDateTime());
}

std::vector<data::GridColumn> journalColumns() {
    using data::gridColumn;
    const Qt::Alignment centre = Qt::AlignHCenter | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;  // numbers
    std::vector<data::GridColumn> c{
        gridColumn(QStringLiteral("fio"), QStringLiteral("Фамилия И.О.")),
        gridColumn(QStringLiteral("marka"), QStringLiteral("Марка изделия")),
        gridColumn(QStringLiteral("vid"), QStringLiteral("Операция")),
        gridColumn(QStringLiteral("nmn"), QStringLiteral("Вид")),
        gridColumn(QStringLiteral("color"), QStringLiteral("Цвет"), true, centre),
        gridColumn(QStringLiteral("time"), QStringLiteral("Часы"), true, right),
        gridColumn(QStringLiteral("kol_vo"), QStringLiteral("Кол-во"), true, right),
        gridColumn(QStringLiteral("brak"), QStringLiteral("Брак"), true, right),
        gridColumn(QStringLiteral("summa"), QStringLiteral("Итого (р.)"), true, right),
        gridColumn(QStringLiteral("prize"), QStringLiteral("Премия (%)"), false),
        gridColumn(QStringLiteral("ok"), QStringLiteral("OK"), true, centre),
        gridColumn(QStringLiteral("vvod"), QStringLiteral("Заведен"), true, centre),
    };
    const int widths[] = {230, 110, 165, 130, 45, 45, 60, 45, 80, 70, 40, 135};
    for (size_t i = 0; i < c.size(); ++i)
        c[i].width = widths[i];
    c[6].format = ui::shortestFloatOrEmpty;
    c[8].format = ui::shortestFloatOrEmpty;
    c[9].format = ui::shortestFloatOrEmpty;
    c[11].format = timestampText;
    return c;
}

constexpr int kOkColumn = 10;

// The acceptance mark bold, green when accepted and red otherwise.
QVariant styleMark(const data::Dataset& ds, int row, int column, int role) {
    if (column != kOkColumn)
        return {};
    if (role == Qt::FontRole) {
        QFont f;
        f.setBold(true);
        return f;
    }
    if (role == Qt::ForegroundRole)
        return ui::color(
            journal::markColor(ds.valueAt(row, ds.fieldIndex(QStringLiteral("ok"))).toString()));
    return {};
}

// The acceptance mark keeps its green or red on the selected row: its cell is drawn as an
// unselected one, on the grid's background, while the rest of the row shows the selection.
class MarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() == kOkColumn)
            option->state &= ~QStyle::State_Selected;
    }
};

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

TForm1::TForm1(const QStringList& args, QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form1"));
    ui::setMainWindow(this);  // every other window opens centred on this one
    setWindowTitle(QStringLiteral("Табель"));
    buildControls();
    buildMenu();
    FormCreate(args);
}

void TForm1::buildControls() {
    auto radio = [this](const char* name, const QString& caption, int shift) {
        auto* b = new QRadioButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QRadioButton::clicked, this,
                ui::guarded([this, shift] { RadioButtonClick(shift); }));
        return b;
    };
    RadioButton1 = radio("RadioButton1", QStringLiteral("Смена №1"), 1);
    RadioButton2 = radio("RadioButton2", QStringLiteral("Смена №2"), 2);
    RadioButton3 = radio("RadioButton3", QStringLiteral("Смена №3"), 3);
    RadioButton4 = radio("RadioButton4", QStringLiteral("Переработка"), 4);
    RadioButton1->setChecked(true);

    DateT = new QDateEdit(this);
    DateT->setObjectName(QStringLiteral("DateT"));
    DateT->setCalendarPopup(true);
    DateT->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DateT->setDate(ui::today());
    DateT->installEventFilter(this);
    // The drop-down calendar closing chooses the date (the date is set by then: queued).
    DateT->calendarWidget()->window()->installEventFilter(this);

    CBox1 = new QCheckBox(QStringLiteral("Выходной"), this);
    CBox1->setObjectName(QStringLiteral("CBox1"));
    connect(CBox1, &QCheckBox::toggled, this, ui::guarded([this] { CBox1Click(); }));

    DBGrid2 = new QTableView(this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setMinimumSize(1160, 420);  // every column, the row numbers and the scroll bar
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    connect(DBGrid2, &QTableView::doubleClicked, this, ui::guarded([this] { DBGrid2DblClick(); }));

    auto button = [this](const char* name, const QString& caption, void (TForm1::*handler)()) {
        QPushButton* b = ui::makeButton(this, name, caption);
        connect(b, &QPushButton::clicked, this,
                ui::guarded([this, handler] { (this->*handler)(); }));
        return b;
    };
    Button1 = button("Button1", QStringLiteral("Добавить"), &TForm1::Button1Click);
    Button2 = button("Button2", QStringLiteral("Изменить"), &TForm1::Button2Click);
    Button3 = button("Button3", QStringLiteral("Удалить"), &TForm1::Button3Click);
    Button8 = button("Button8", QStringLiteral("Обновить"), &TForm1::Button8Click);
    Button4 = button("Button4", QStringLiteral("Выход"), &TForm1::Button4Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(30000);
    connect(Timer1, &QTimer::timeout, this, ui::guarded([this] { Timer1Timer(); }));

    auto* top = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(RadioButton1), static_cast<QWidget*>(RadioButton2),
                       static_cast<QWidget*>(RadioButton3), static_cast<QWidget*>(RadioButton4)})
        top->addWidget(w);
    top->addSpacing(24);
    top->addWidget(DateT);
    top->addWidget(CBox1);
    top->addStretch();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button1);
    bottom->addWidget(Button2);
    bottom->addWidget(Button3);
    bottom->addWidget(Button8);
    bottom->addStretch();
    bottom->addWidget(Button4);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(DBGrid2, 1);
    layout->addLayout(bottom);

    auto link = [this](const char* name) {
        auto* m = new data::DatasetModel(this);
        m->setObjectName(QString::fromLatin1(name));
        m->setColumns(journalColumns());
        m->setStyler(styleMark);
        ui::followDataset(DBGrid2, m);
        return m;
    };
    DataSource1 = link("DataSource1");
    DataSource2 = link("DataSource2");
    DataSource3 = link("DataSource3");
    DataSource4 = link("DataSource4");
    ui::setUpGrid(DBGrid2);
    DBGrid2->setItemDelegate(new MarkDelegate(DBGrid2));
    DBGrid2->verticalHeader()->setMinimumWidth(12);
    ui::showModel(DBGrid2, DataSource1);

    paintShiftButtons();
    paintMarked(CBox1, false, ui::kRed);
}

void TForm1::buildMenu() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](QWidget* owner, const char* name, const QString& caption,
                       void (TForm1::*handler)()) {
        auto* a = new QAction(caption, owner);
        a->setObjectName(QString::fromLatin1(name));
        if (handler)
            connect(a, &QAction::triggered, this,
                    ui::guarded([this, handler] { (this->*handler)(); }));
        return a;
    };

    N2 = new QMenu(QStringLiteral("Справочники"), MainMenu1);
    N2->setObjectName(QStringLiteral("N2"));
    N2->menuAction()->setObjectName(QStringLiteral("N2"));
    N1 = item(N2, "N1", QStringLiteral("Рабочие"), &TForm1::N1Click);
    N3 = item(N2, "N3", QStringLiteral("Изделия"), &TForm1::N3Click);
    N4 = item(N2, "N4", QStringLiteral("Цены"), &TForm1::N4Click);
    N6 = item(N2, "N6", QStringLiteral("Операции"), &TForm1::N6Click);
    N8 = item(N2, "N8", QStringLiteral("Внеурочное"), nullptr);
    N2->addActions({N1, N3, N4, N6, N8});
    MainMenu1->addMenu(N2);

    N11 = item(MainMenu1, "N11", QStringLiteral("Табель по времени"), &TForm1::N11Click);
    MainMenu1->addAction(N11);

    N7 = new QMenu(QStringLiteral("Отчеты"), MainMenu1);
    N7->setObjectName(QStringLiteral("N7"));
    N7->menuAction()->setObjectName(QStringLiteral("N7"));
    N10 = item(N7, "N10", QStringLiteral("Сводные отчеты"), &TForm1::N10Click);
    N7->addAction(N10);
    MainMenu1->addMenu(N7);

    N5 = item(MainMenu1, "N5", QStringLiteral("Выход"), &TForm1::Button4Click);
    MainMenu1->addAction(N5);

    layout()->setMenuBar(MainMenu1);
}

void TForm1::FormCreate(const QStringList& args) {
    DataModule6 = new TDataModule6();
    DataSource1->setDataset(DataModule6->Smena1);
    DataSource2->setDataset(DataModule6->Smena2);
    DataSource3->setDataset(DataModule6->Smena3);
    DataSource4->setDataset(DataModule6->Smena4);
    for (int shift = 1; shift <= 4; ++shift)
        DataModule6->journalOf(shift)->setParam(QStringLiteral("ok"), QStringLiteral("ta"));
    updtOK.setSql(journal::statements::updateMark());
    try {
        DataModule6->ADO_DB.close();
        DataModule6->ADO_DB.open(data::composeConnectionString(args.value(1), args.value(2)));
        Form23 = new TForm23();
        Form23->show();
        connected_ = true;
    } catch (...) {
        ui::showMessage({QStringLiteral("Подключение к БД отсутсвует!!!"),
                         QStringLiteral("Ошибка!"), ui::Icon::Stop, ui::Buttons::Ok});
        connected_ = false;
        return;
    }
    Timer1->start();
}

data::Dataset* TForm1::selectCurrentJournal() {
    currentJournal_ = DataModule6->journalOf(CurrentShift);
    return currentJournal_;
}

data::Dataset* TForm1::currentJournal() const {
    return currentJournal_ ? currentJournal_ : DataModule6->journalOf(CurrentShift);
}

data::DatasetModel* TForm1::dataSourceOf(int shift) const {
    switch (shift) {
        case 2:
            return DataSource2;
        case 3:
            return DataSource3;
        case 4:
            return DataSource4;
        default:
            return DataSource1;
    }
}

void TForm1::reloadJournals(const QDate& day) {
    for (int shift = 1; shift <= 4; ++shift)
        DataModule6->journalOf(shift)->close();
    // A failing query leaves itself and the ones after it closed until the next reload.
    for (int shift = 1; shift <= 4; ++shift) {
        data::Dataset* q = DataModule6->journalOf(shift);
        q->setParam(QStringLiteral("data"), day);
        q->open();
    }
}

void TForm1::FormActivate() {
    DateT->setDate(ui::today());
    if (journal::isWeekend(DateT->date()))
        CBox1->setChecked(true);
    reloadJournals(DateT->date());
}

void TForm1::DateTChange() {
    {
        ui::WaitCursor wait;
        reloadJournals(DateT->date());
        CBox1->setChecked(journal::isWeekend(DateT->date()));
    }
    DBGrid2->setFocus();
}

void TForm1::RadioButtonClick(int shift) {
    QRadioButton* chosen = shift == 2   ? RadioButton2
                           : shift == 3 ? RadioButton3
                           : shift == 4 ? RadioButton4
                                        : RadioButton1;
    if (!chosen->isChecked())
        return;
    ui::showModel(DBGrid2, dataSourceOf(shift));
    CurrentShift = shift;
    paintShiftButtons();
}

void TForm1::paintShiftButtons() {
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        paintMarked(b, b->isChecked(), ui::kGreen);
}

void TForm1::CBox1Click() {
    paintMarked(CBox1, CBox1->isChecked(), ui::kRed);
}

void TForm1::Button8Click() {
    ui::WaitCursor wait;
    for (int shift = 1; shift <= 4; ++shift)
        DataModule6->journalOf(shift)->close();
    for (int shift = 1; shift <= 4; ++shift)
        DataModule6->journalOf(shift)->open();
}

void TForm1::Button1Click() {
    selectCurrentJournal();
    Form11->PrepareAdd();
}

void TForm1::Button2Click() {
    if (selectCurrentJournal()->isEmpty())
        return;
    Form11->PrepareChange();
}

void TForm1::Button3Click() {
    data::Dataset* q = DataModule6->journalOf(CurrentShift);
    if (q->isEmpty())
        return;
    const qint64 id = q->asInt64(QStringLiteral("id"));
    DataModule6->DelSmena.setSql(journal::statements::deleteEntry(id));
    bool gone = false;
    // The entry goes only together with its hours in the timesheet cell of its own day.
    if (ui::confirmDeletion(QStringLiteral("Удалить позицию из списка?")))
        gone = entry::deleteEntry(DataModule6->DelSmena, id) == entry::DeleteResult::Gone;
    q->reopen();
    if (gone)
        ui::showRefusal(QString::fromUtf8(entry::kEntryGoneMessage));
}

void TForm1::DBGrid2DblClick() {
    if (login::refusesAcceptance(LoginWord))
        return;
    data::Dataset* q = selectCurrentJournal();
    if (q->isEmpty())
        return;
    updtOK.setParam(QStringLiteral("ok"), journal::toggledMark(q->text(QStringLiteral("ok"))));
    updtOK.setParam(QStringLiteral("id"), q->asInt64(QStringLiteral("id")));
    updtOK.execOnRow();
    q->reopenAt(q->recNo());
}

void TForm1::Button4Click() {
    reject();
}

void TForm1::N1Click() {
    Form5->ShowAsReferenceBook();
}

void TForm1::N3Click() {
    Form3->ShowAsReferenceBook();
}

void TForm1::N4Click() {
    Form4->ShowAsReferenceBook();
}

void TForm1::N6Click() {
    Form8->ShowAsReferenceBook();
}

void TForm1::N11Click() {
    Form19->ShowForJournalDate(DateT->date());
}

void TForm1::N10Click() {
    const auto [from, to] = journal::previousMonthPeriod(ui::today());
    Form18->ShowWithPeriod(from, to);
}

void TForm1::Timer1Timer() {
    // The loss has been reported once; the user's next action connects again.
    if (data::connectionLost())
        return;
    VersionCheck();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DateT && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ui::runGuarded([this] { DateTChange(); });
            return true;
        }
    } else if (watched != DateT && event->type() == QEvent::Hide) {
        QTimer::singleShot(0, this, [this] { ui::runGuarded([this] { DateTChange(); }); });
    }
    return ui::Window::eventFilter(watched, event);
}
