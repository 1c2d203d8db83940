#include "entry/entry_editor.h"

#include "app/journal_window.h"
#include "data/data_module.h"
#include "entry/entry_save.h"
#include "entry/entry_statements.h"
#include "refbooks/operations_list.h"
#include "refbooks/operations_statements.h"
#include "refbooks/workers_list.h"
#include "ui/clock.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/format.h"
#include "ui/modal.h"

#include <QDateEdit>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

TForm11* Form11 = nullptr;

namespace {

QLineEdit* readOnlyBox(QWidget* parent, const char* name, int width) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);  // no tab stop
    box->setFixedWidth(width);
    return box;
}

QLineEdit* digitBox(QWidget* parent, const char* name, QValidator* digitsOnly) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    // Typed and pasted text alike: unsigned decimal digits or nothing.
    box->setValidator(digitsOnly);
    box->setFixedWidth(64);
    return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(buddy);
    return l;
}

// A label standing above its box.
QVBoxLayout* labelled(QLabel* l, QWidget* box) {
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(l);
    column->addWidget(box);
    return column;
}

}  // namespace

TForm11::TForm11(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Позиция"));

    auto* digitsOnly =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);

    GroupBox1 = new QGroupBox(QStringLiteral("Закрыто мастером"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));

    Edit1 = readOnlyBox(GroupBox1, "Edit1", 220);
    Button3 = ui::makePickerButton(GroupBox1, "Button3", 28);
    Edit2 = readOnlyBox(GroupBox1, "Edit2", 320);
    Button4 = ui::makePickerButton(GroupBox1, "Button4", 28);
    Edit3 = digitBox(GroupBox1, "Edit3", digitsOnly);
    Edit6 = digitBox(GroupBox1, "Edit6", digitsOnly);
    Edit6->setText(QStringLiteral("0"));
    Edit5 = digitBox(GroupBox1, "Edit5", digitsOnly);
    Edit5->setFixedWidth(90);
    DTimeP = new QDateEdit(GroupBox1);
    DTimeP->setObjectName(QStringLiteral("DTimeP"));
    DTimeP->setCalendarPopup(true);
    DTimeP->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DTimeP->setDate(ui::today());
    Edit4 = digitBox(GroupBox1, "Edit4", digitsOnly);
    Edit4->setText(QStringLiteral("0"));
    Edit8 = readOnlyBox(GroupBox1, "Edit8", 90);
    Edit7 = readOnlyBox(GroupBox1, "Edit7", 90);
    Edit9 = readOnlyBox(GroupBox1, "Edit9", 100);

    Label6 = label(GroupBox1, "Label6", QStringLiteral("Цвет"), Edit5);

    // First row: the worker and the operation with their pickers.
    auto* pickers = new QHBoxLayout;
    pickers->addWidget(label(GroupBox1, "Label1", QStringLiteral("ФИО"), Edit1));
    pickers->addWidget(Edit1);
    pickers->addWidget(Button3);
    pickers->addSpacing(12);
    pickers->addWidget(label(GroupBox1, "Label2", QStringLiteral("Операция"), Edit2));
    pickers->addWidget(Edit2);
    pickers->addWidget(Button4);
    pickers->addStretch();

    // Second row: what was made, then the prices.
    auto* prices = new QGridLayout;
    prices->setVerticalSpacing(4);
    prices->addWidget(label(GroupBox1, "Label8", QStringLiteral("Цена база"), Edit8), 0, 0);
    prices->addWidget(Edit8, 0, 1);
    prices->addWidget(label(GroupBox1, "Label9", QStringLiteral("Цена итог"), Edit7), 1, 0);
    prices->addWidget(Edit7, 1, 1);

    auto* work = new QHBoxLayout;
    work->addLayout(labelled(label(GroupBox1, "Label3", QStringLiteral("Кол-во"), Edit3), Edit3));
    work->addLayout(labelled(label(GroupBox1, "Label4", QStringLiteral("Время"), Edit6), Edit6));
    work->addLayout(labelled(Label6, Edit5));
    work->addLayout(labelled(label(GroupBox1, "Label5", QStringLiteral("Дата"), DTimeP), DTimeP));
    work->addLayout(labelled(label(GroupBox1, "Label7", QStringLiteral("Брак"), Edit4), Edit4));
    work->addSpacing(12);
    work->addLayout(prices);
    work->addSpacing(12);
    work->addLayout(labelled(label(GroupBox1, "Label10", QStringLiteral("Сумма"), Edit9), Edit9));
    work->addStretch();

    auto* group = new QVBoxLayout(GroupBox1);
    group->addLayout(pickers);
    group->addSpacing(6);
    group->addLayout(work);

    const ui::EditorButtons buttons = ui::layOutEditor(this, GroupBox1, QStringLiteral("Запись"));
    Button1 = buttons.save;
    Button2 = buttons.cancel;

    setTabOrder(Button3, Button4);
    setTabOrder(Button4, Edit3);
    setTabOrder(Edit3, Edit6);
    setTabOrder(Edit6, Edit5);
    setTabOrder(Edit5, DTimeP);
    setTabOrder(DTimeP, Edit4);
    setTabOrder(Edit4, Button1);
    setTabOrder(Button1, Button2);

    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2),
                       static_cast<QWidget*>(Edit3), static_cast<QWidget*>(Edit6)})
        w->installEventFilter(this);

    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
    connect(Button3, &QPushButton::clicked, this, ui::guarded([this] { Button3Click(); }));
    connect(Button4, &QPushButton::clicked, this, ui::guarded([this] { Button4Click(); }));
}

bool TForm11::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        // A click on the worker or operation box opens its picker, like its "..." button.
        if (watched == Edit1) {
            ui::runGuarded([this] { Button3Click(); });
            return true;
        }
        if (watched == Edit2) {
            ui::runGuarded([this] { Button4Click(); });
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && (watched == Edit3 || watched == Edit6)) {
        // Only the focus moving to another control of the dialog counts as leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            ui::runGuarded([this] { Edit6Exit(); });
    }
    return ui::Window::eventFilter(watched, event);
}

void TForm11::FormActivate() {
    Button3->setFocus();
}

void TForm11::showCentred() {
    adjustSize();
    if (Form1)
        move(Form1->frameGeometry().center() - rect().center());
    ui::showModal(this);
}

void TForm11::PrepareAdd() {
    Form1->selectCurrentJournal();
    DTimeP->setDate(Form1->DateT->date());
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    Edit5->clear();
    Edit4->setText(QStringLiteral("0"));
    Edit6->setText(QStringLiteral("0"));
    setWindowTitle(QStringLiteral("Заведение новой позиции"));
    Tag = 1;
    showCentred();
}

void TForm11::PrepareChange() {
    data::Dataset* journal = Form1->selectCurrentJournal();
    const int row = journal->recNo();
    if (journal->isEmpty())
        return;
    setWindowTitle(QStringLiteral("Изменение данных о позиции"));
    Tag = 2;
    entry_price = journal->asDouble(QStringLiteral("cena"));
    Edit7->setText(ui::priceText(entry_price));
    Edit9->setText(ui::priceText(journal->asDouble(QStringLiteral("kol_vo")) * entry_price));
    const QVariant day = journal->value(QStringLiteral("data"));
    DTimeP->setDate(day.typeId() == QMetaType::QDate || day.typeId() == QMetaType::QDateTime
                        ? day.toDate()
                        : ui::parseDate(day.toString().trimmed()));
    Edit1->setText(journal->text(QStringLiteral("fio")).trimmed());
    Edit2->setText(refbooks::operations::operationText(journal->text(QStringLiteral("marka")),
                                                       journal->text(QStringLiteral("vid")),
                                                       journal->asInt(QStringLiteral("naimen"))));
    Edit3->setText(journal->text(QStringLiteral("kol_vo")).trimmed());
    Edit4->setText(journal->text(QStringLiteral("brak")).trimmed());
    entry_w_id = journal->asInt(QStringLiteral("w_id"));
    entry_i_id = journal->asInt(QStringLiteral("i_id"));
    entry_o_id = journal->asInt(QStringLiteral("o_id"));
    Edit6->setText(QString::number(journal->asInt(QStringLiteral("time"))));

    data::Dataset* oper = DataModule6->Oper;
    oper->close();
    oper->setFilter(QStringLiteral("id=") + journal->text(QStringLiteral("o_id")));
    oper->setFiltered(false);

    const bool paint = entry::isPaintOperation(journal->text(QStringLiteral("vid")).trimmed());
    if (paint)
        Edit5->setText(journal->text(QStringLiteral("color")));
    else
        Edit5->clear();
    Edit5->setEnabled(paint);
    Label6->setEnabled(paint);

    showCentred();

    if (journal->recordCount() >= row)
        journal->setRecNo(row);
}

void TForm11::Button3Click() {
    Form5->ShowAsPicker();
}

void TForm11::Button4Click() {
    // In change mode the list opens on the entry's own stored operation.
    const int operId = Tag == 1 ? 0 : Form1->currentJournal()->asInt(QStringLiteral("o_id"));
    Form4->ShowAsPicker(operId);
    settleColourBox();
    Edit6Exit();
}

void TForm11::settleColourBox() {
    const bool paint = entry::isPaintOperation(Edit2->text());
    if (!paint)
        Edit5->clear();
    Edit5->setEnabled(paint);
    Label6->setEnabled(paint);
}

void TForm11::Edit6Exit() {
    if (Edit6->text().isEmpty())
        Edit6->setText(QStringLiteral("0"));
    if (Edit3->text().isEmpty())
        Edit3->setText(QStringLiteral("0"));
    Edit7->setText(ui::priceText(entry_price));
    const data::Dataset* oper = DataModule6->Oper;
    const double base =
        oper->isOpen() && oper->recNo() > 0 ? oper->asDouble(QStringLiteral("cena")) : 0.0;
    Edit8->setText(ui::priceText(base));
    Edit9->setText(ui::priceText(Edit3->text().toDouble() * entry_price));
}

void TForm11::Button1Click() {
    const entry::EntryBoxes boxes{Edit1->text(), Edit2->text(), Edit3->text(),
                                  Edit4->text(), Edit5->text(), Edit6->text()};
    if (!entry::isComplete(boxes)) {
        ui::showRefusal(QString::fromUtf8(entry::kIncompleteMessage));
        return;
    }
    const std::optional<int> colour = entry::colourNumber(Edit5->text());
    if (!colour) {
        ui::showRefusal(QString::fromUtf8(entry::kBadColourMessage));
        return;
    }

    const int shift = Form1->CurrentShift;
    data::Dataset* journal = DataModule6->journalOf(shift);
    entry::EntryValues values;
    values.workerId = entry_w_id;
    values.productId = entry_i_id;
    values.operationId = entry_o_id;
    values.price = entry_price;
    values.quantity = Edit3->text();
    values.defects = Edit4->text();
    values.hours = Edit6->text();
    values.date = DTimeP->date();
    values.shift = shift;
    values.colour = *colour;
    values.inputDate = ui::today();
    std::optional<qint64> changedId;
    if (Tag != 1)
        changedId = journal->asInt64(QStringLiteral("id"));

    if (entry::saveEntry(values, changedId) != entry::SaveResult::Saved)
        return;

    // Saved: the dialog is done; the shift's journal and the timesheet views follow.
    for (QLineEdit* box : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9})
        box->clear();
    done(QDialog::Accepted);

    DataModule6->H_Tabel_1->close();
    DataModule6->H_Tabel_2->close();
    DataModule6->H_Tabel_3->close();
    const int row = journal->recNo();
    journal->close();
    journal->open();
    if (journal->recordCount() > 0 && row >= 1 && row <= journal->recordCount())
        journal->setRecNo(row);
}
