#include "entry/entry_editor.h"

#include "data/data_module.h"
#include "entry/entry_save.h"
#include "entry/entry_snapshot.h"
#include "entry/entry_statements.h"
#include "refbooks/operations_list.h"
#include "refbooks/operations_statements.h"
#include "refbooks/row_merge.h"
#include "refbooks/workers_list.h"
#include "timesheet/month_closing.h"
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
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* readOnlyBox(QWidget* parent, const char* name, int width) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);  // no tab stop
    box->setFixedWidth(width);
    // A choice longer than the box shows its beginning (the mark), not its end.
    QObject::connect(box, &QLineEdit::textChanged, box, [box] { box->setCursorPosition(0); });
    return box;
}

QLineEdit* digitBox(QWidget* parent, const char* name, QValidator* digitsOnly) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    // Typed and pasted text alike: the digits 0-9 (ui::digitKey, the rule the save reads the
    // text by) or nothing.
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

entry::EntryEditor::EntryEditor(data::SharedData& db, refbooks::WorkersList& workers,
                                refbooks::OperationsList& operations,
                                std::function<JournalContext()> journal, QWidget* parent)
    : ui::Window(parent),
      db_(db),
      workers_(workers),
      operations_(operations),
      journal_(std::move(journal)) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Позиция"));
    buildControls();
    layOutControls();

    for (QWidget* w : {static_cast<QWidget*>(workerEdit_), static_cast<QWidget*>(operationEdit_),
                       static_cast<QWidget*>(quantityEdit_), static_cast<QWidget*>(hoursEdit_)})
        w->installEventFilter(this);

    connect(saveButton_, &QPushButton::clicked, this,
            ui::guarded(QStringLiteral("entry save"), [this] { save(); }));
    connect(workerButton_, &QPushButton::clicked, this, ui::guarded([this] { pickWorker(); }));
    connect(operationButton_, &QPushButton::clicked, this,
            ui::guarded([this] { pickOperation(); }));
}

void entry::EntryEditor::buildControls() {
    auto* digitsOnly = ui::keyRuleValidator(this, ui::digitKey);

    group_ = new QGroupBox(QStringLiteral("Закрыто мастером"), this);
    group_->setObjectName(QStringLiteral("GroupBox1"));

    workerEdit_ = readOnlyBox(group_, "Edit1", 220);
    workerButton_ = ui::makePickerButton(group_, "Button3", 28);
    operationEdit_ = readOnlyBox(group_, "Edit2", 320);
    operationButton_ = ui::makePickerButton(group_, "Button4", 28);
    quantityEdit_ = digitBox(group_, "Edit3", digitsOnly);
    hoursEdit_ = digitBox(group_, "Edit6", digitsOnly);
    hoursEdit_->setText(QStringLiteral("0"));
    colourEdit_ = digitBox(group_, "Edit5", digitsOnly);
    colourEdit_->setFixedWidth(90);
    datePicker_ = new QDateEdit(group_);
    datePicker_->setObjectName(QStringLiteral("DTimeP"));
    datePicker_->setCalendarPopup(true);
    datePicker_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    datePicker_->setDate(ui::today());
    defectsEdit_ = digitBox(group_, "Edit4", digitsOnly);
    defectsEdit_->setText(QStringLiteral("0"));
    basePriceEdit_ = readOnlyBox(group_, "Edit8", 90);
    finalPriceEdit_ = readOnlyBox(group_, "Edit7", 90);
    sumEdit_ = readOnlyBox(group_, "Edit9", 100);

    colourLabel_ = label(group_, "Label6", QStringLiteral("Цвет"), colourEdit_);
}

void entry::EntryEditor::layOutControls() {
    // First row: the worker and the operation with their pickers.
    auto* pickers = new QHBoxLayout;
    pickers->addWidget(label(group_, "Label1", QStringLiteral("ФИО"), workerEdit_));
    pickers->addWidget(workerEdit_);
    pickers->addWidget(workerButton_);
    pickers->addSpacing(12);
    pickers->addWidget(label(group_, "Label2", QStringLiteral("Операция"), operationEdit_));
    pickers->addWidget(operationEdit_);
    pickers->addWidget(operationButton_);
    pickers->addStretch();

    // Second row: what was made, then the prices.
    auto* prices = new QGridLayout;
    prices->setVerticalSpacing(4);
    prices->addWidget(label(group_, "Label8", QStringLiteral("Цена база"), basePriceEdit_), 0, 0);
    prices->addWidget(basePriceEdit_, 0, 1);
    prices->addWidget(label(group_, "Label9", QStringLiteral("Цена итог"), finalPriceEdit_), 1, 0);
    prices->addWidget(finalPriceEdit_, 1, 1);

    auto* work = new QHBoxLayout;
    work->addLayout(
        labelled(label(group_, "Label3", QStringLiteral("Кол-во"), quantityEdit_), quantityEdit_));
    work->addLayout(
        labelled(label(group_, "Label4", QStringLiteral("Время"), hoursEdit_), hoursEdit_));
    work->addLayout(labelled(colourLabel_, colourEdit_));
    work->addLayout(
        labelled(label(group_, "Label5", QStringLiteral("Дата"), datePicker_), datePicker_));
    work->addLayout(
        labelled(label(group_, "Label7", QStringLiteral("Брак"), defectsEdit_), defectsEdit_));
    work->addSpacing(12);
    work->addLayout(prices);
    work->addSpacing(12);
    work->addLayout(
        labelled(label(group_, "Label10", QStringLiteral("Сумма"), sumEdit_), sumEdit_));
    work->addStretch();

    auto* group = new QVBoxLayout(group_);
    group->addLayout(pickers);
    group->addSpacing(6);
    group->addLayout(work);

    const ui::EditorButtons buttons = ui::layOutEditor(this, group_, QStringLiteral("Запись"));
    saveButton_ = buttons.save;

    setTabOrder(workerButton_, operationButton_);
    setTabOrder(operationButton_, quantityEdit_);
    setTabOrder(quantityEdit_, hoursEdit_);
    setTabOrder(hoursEdit_, colourEdit_);
    setTabOrder(colourEdit_, datePicker_);
    setTabOrder(datePicker_, defectsEdit_);
    setTabOrder(defectsEdit_, saveButton_);
    setTabOrder(saveButton_, buttons.cancel);
}

bool entry::EntryEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // A click on the worker or operation box opens its picker, like its "..." button.
        if (watched == workerEdit_) {
            ui::runGuarded([this] { pickWorker(); });
            return true;
        }
        if (watched == operationEdit_) {
            ui::runGuarded([this] { pickOperation(); });
            return true;
        }
    } else if (event->type() == QEvent::FocusOut &&
               (watched == quantityEdit_ || watched == hoursEdit_)) {
        // Only the focus moving to another control of the dialog counts as leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            ui::runGuarded([this] { refreshPrices(); });
    }
    return ui::Window::eventFilter(watched, event);
}

void entry::EntryEditor::windowActivated() {
    workerButton_->setFocus();
}

void entry::EntryEditor::showCentred() {
    adjustSize();
    if (const QWidget* journalWindow = journal_().window)
        move(journalWindow->frameGeometry().center() - rect().center());
    ui::showModal(this);
}

void entry::EntryEditor::prepareAdd() {
    datePicker_->setDate(journal_().date);
    workerEdit_->clear();
    operationEdit_->clear();
    quantityEdit_->clear();
    colourEdit_->clear();
    defectsEdit_->setText(QStringLiteral("0"));
    hoursEdit_->setText(QStringLiteral("0"));
    setWindowTitle(QStringLiteral("Заведение новой позиции"));
    mode_ = Mode::Adding;
    showCentred();
}

void entry::EntryEditor::prepareChange() {
    data::Dataset* entries = journal_().journal;
    const int row = entries->recNo();
    if (entries->isEmpty())
        return;
    setWindowTitle(QStringLiteral("Изменение данных о позиции"));
    mode_ = Mode::Changing;
    loaded_ = entry::shownEntry(*entries);
    changedId_ = entries->asInt64(QStringLiteral("id"));
    changedShift_ = journal_().shift;
    chosen_.price = entries->asDouble(QStringLiteral("cena"));
    finalPriceEdit_->setText(ui::priceText(chosen_.price));
    sumEdit_->setText(ui::priceText(entries->asDouble(QStringLiteral("kol_vo")) * chosen_.price));
    loadedDate_ = entry::entryDate(*entries);
    datePicker_->setDate(loadedDate_);
    workerEdit_->setText(entries->text(QStringLiteral("fio")).trimmed());
    operationEdit_->setText(refbooks::operations::operationText(
        entries->text(QStringLiteral("marka")), entries->text(QStringLiteral("vid")),
        entries->asInt(QStringLiteral("naimen"))));
    quantityEdit_->setText(entries->text(QStringLiteral("kol_vo")).trimmed());
    defectsEdit_->setText(entries->text(QStringLiteral("brak")).trimmed());
    chosen_.workerId = entries->asInt(QStringLiteral("w_id"));
    chosen_.productId = entries->asInt(QStringLiteral("i_id"));
    chosen_.operationId = entries->asInt(QStringLiteral("o_id"));
    hoursEdit_->setText(QString::number(entries->asInt(QStringLiteral("time"))));

    data::Dataset* operationRow = db_.operations;
    operationRow->close();
    operationRow->setFilter(QStringLiteral("id=") + entries->text(QStringLiteral("o_id")));
    operationRow->setFiltered(false);

    const bool paint = entry::isPaintOperation(entries->text(QStringLiteral("vid")).trimmed());
    if (paint)
        colourEdit_->setText(entries->text(QStringLiteral("color")));
    else
        colourEdit_->clear();
    colourEdit_->setEnabled(paint);
    colourLabel_->setEnabled(paint);

    showCentred();

    if (entries->recordCount() >= row)
        entries->setRecNo(row);
}

void entry::EntryEditor::takeWorker(const refbooks::WorkerChoice& worker) {
    workerEdit_->setText(worker.name);
    chosen_.workerId = worker.id;
}

void entry::EntryEditor::takeOperation(const refbooks::OperationChoice& operation) {
    chosen_.productId = operation.productId;
    chosen_.operationId = operation.id;
    const JournalContext journal = journal_();
    chosen_.price =
        refbooks::operations::finalPrice(operation.basePrice, journal.dayOff, journal.shift);
    operationEdit_->setText(operation.text);
}

void entry::EntryEditor::pickWorker() {
    if (const auto worker = workers_.pick())
        takeWorker(*worker);
}

void entry::EntryEditor::pickOperation() {
    // In change mode the list opens on the entry's own stored operation.
    const int operationId =
        mode_ == Mode::Adding ? 0 : journal_().journal->asInt(QStringLiteral("o_id"));
    if (const auto operation = operations_.pick(operationId))
        takeOperation(*operation);
    settleColourBox();
    refreshPrices();
}

void entry::EntryEditor::settleColourBox() {
    const bool paint = entry::isPaintOperation(operationEdit_->text());
    if (!paint)
        colourEdit_->clear();
    colourEdit_->setEnabled(paint);
    colourLabel_->setEnabled(paint);
}

void entry::EntryEditor::refreshPrices() {
    if (hoursEdit_->text().isEmpty())
        hoursEdit_->setText(QStringLiteral("0"));
    if (quantityEdit_->text().isEmpty())
        quantityEdit_->setText(QStringLiteral("0"));
    finalPriceEdit_->setText(ui::priceText(chosen_.price));
    const data::Dataset* operationRow = db_.operations;
    const double base = operationRow->isOpen() && operationRow->recNo() > 0
                            ? operationRow->asDouble(QStringLiteral("cena"))
                            : 0.0;
    basePriceEdit_->setText(ui::priceText(base));
    sumEdit_->setText(ui::priceText(quantityEdit_->text().toDouble() * chosen_.price));
}

std::optional<entry::EntryValues> entry::EntryEditor::valuesToSave() {
    const entry::EntryBoxes boxes{workerEdit_->text(),   operationEdit_->text(),
                                  quantityEdit_->text(), defectsEdit_->text(),
                                  colourEdit_->text(),   hoursEdit_->text()};
    if (!entry::isComplete(boxes)) {
        ui::showRefusal(QString::fromUtf8(entry::kIncompleteMessage));
        return std::nullopt;
    }
    const std::optional<int> colour = entry::colourNumber(colourEdit_->text());
    if (!colour) {
        ui::showRefusal(QString::fromUtf8(entry::kBadColourMessage));
        return std::nullopt;
    }
    entry::EntryValues values;
    values.workerId = chosen_.workerId;
    values.productId = chosen_.productId;
    values.operationId = chosen_.operationId;
    values.price = chosen_.price;
    values.quantity = quantityEdit_->text();
    values.defects = defectsEdit_->text();
    values.hours = hoursEdit_->text();
    values.date = datePicker_->date();
    values.shift = mode_ == Mode::Changing ? changedShift_ : journal_().shift;
    values.colour = *colour;
    values.inputDate = ui::today();
    return values;
}

void entry::EntryEditor::save() {
    const std::optional<entry::EntryValues> values = valuesToSave();
    if (!values)
        return;
    // Neither into a closed month nor out of one; the server refuses it too.
    timesheet::refuseIfClosed(db_, values->date);
    if (mode_ == Mode::Changing)
        timesheet::refuseIfClosed(db_, loadedDate_);
    const data::Verdict verdict =
        mode_ == Mode::Adding ? entry::saveEntry(db_, *values) : saveChange(*values, changedId_);
    if (!verdict.saved()) {
        // Shown only now, so that no lock is held while the message waits for the user.
        ui::showRefusal(verdict.message);
        return;
    }

    // Saved: the dialog is done; the journal and the timesheet follow the announced change.
    for (QLineEdit* box : {workerEdit_, operationEdit_, quantityEdit_, defectsEdit_, colourEdit_,
                           hoursEdit_, finalPriceEdit_, basePriceEdit_, sumEdit_})
        box->clear();
    done(QDialog::Accepted);
}

data::Verdict entry::EntryEditor::saveChange(const entry::EntryValues& values, qint64 id) {
    data::Verdict verdict = entry::saveEntry(db_, values, entry::EntryChange{id, loaded_});
    if (verdict == data::Verdict::Kind::ChangedElsewhere) {
        // What the user left alone shows the stored entry, what the user typed stays; the stored
        // entry becomes the one loaded, so the next save writes what the editor shows.
        const data::RowSnapshot stored = verdict.stored;
        const refbooks::RowMerge merge =
            refbooks::mergeRefused(entry::shownEntryFields(), loaded_, stored, shownBoxes());
        showStored(merge.fromStored, stored);
        loaded_ = stored;
        loadedDate_ = ui::parseDate(stored.value(QStringLiteral("data")));
        verdict.message = merge.message();
    }
    return verdict;
}

data::RowSnapshot entry::EntryEditor::shownBoxes() const {
    return {
        {QStringLiteral("w_id"), QString::number(chosen_.workerId)},
        {QStringLiteral("fio"), workerEdit_->text().trimmed()},
        {QStringLiteral("o_id"), QString::number(chosen_.operationId)},
        {QStringLiteral("operation"), operationEdit_->text()},
        {QStringLiteral("kol_vo"), quantityEdit_->text()},
        {QStringLiteral("time"), QString::number(hoursEdit_->text().toInt())},
        {QStringLiteral("color"), colourEdit_->text()},
        {QStringLiteral("data"), ui::dateText(datePicker_->date())},
        {QStringLiteral("brak"), defectsEdit_->text()},
        {QStringLiteral("cena"), ui::priceText(chosen_.price)},
        {QStringLiteral("smena"), QString::number(changedShift_)},
    };
}

void entry::EntryEditor::showStored(const QStringList& fields, const data::RowSnapshot& stored) {
    auto number = [&stored](const char* field) {
        return stored.value(QString::fromLatin1(field)).toInt();
    };
    for (const QString& field : fields) {
        const QString value = stored.value(field);
        if (field == QLatin1String("fio")) {
            workerEdit_->setText(value);
            chosen_.workerId = number("w_id");
        } else if (field == QLatin1String("operation")) {
            operationEdit_->setText(value);
            chosen_.operationId = number("o_id");
            chosen_.productId = number("i_id");
            settleColourBox();
        } else if (field == QLatin1String("kol_vo")) {
            quantityEdit_->setText(value);
        } else if (field == QLatin1String("time")) {
            hoursEdit_->setText(value);
        } else if (field == QLatin1String("brak")) {
            defectsEdit_->setText(value);
        } else if (field == QLatin1String("data")) {
            datePicker_->setDate(ui::parseDate(value));
        } else if (field == QLatin1String("cena")) {
            chosen_.price = stored.value(QStringLiteral("cena_value")).toDouble();
        } else if (field == QLatin1String("smena")) {
            changedShift_ = value.toInt();
        }
    }
    // The colour after the operation, which decides whether the colour box is open.
    if (fields.contains(QStringLiteral("color")))
        colourEdit_->setText(stored.value(QStringLiteral("color")));
    finalPriceEdit_->setText(ui::priceText(chosen_.price));
    sumEdit_->setText(ui::priceText(quantityEdit_->text().toDouble() * chosen_.price));
}
