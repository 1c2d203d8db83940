#include "refbooks/worker_editor.h"

#include "data/dataset.h"
#include "refbooks/change_verdict.h"
#include "refbooks/shown_rows.h"
#include "refbooks/worker_save.h"
#include "refbooks/workers_statements.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"
#include "ui/text_checks.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {
QComboBox* makeLookup(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setMaxVisibleItems(10);
    return c;
}

data::Dataset* makeTable(QObject* owner, const char* name, const QString& sql) {
    auto* t = new data::Dataset(QString::fromLatin1(name), owner);
    t->setSql(sql);
    return t;
}

// Refills a lookup list from its table (s_caption shown, id kept), keeping the chosen id.
void reload(data::Dataset* table, QComboBox* list) {
    const QVariant chosen = list->currentData();
    table->reopen();
    QSignalBlocker quiet(list);
    list->clear();
    for (table->first(); !table->eof(); table->next())
        list->addItem(table->text(QStringLiteral("s_caption")),
                      table->asInt64(QStringLiteral("id")));
    list->setCurrentIndex(chosen.isValid() ? list->findData(chosen) : -1);
}

void sendArrow(QComboBox* list, bool down) {
    QKeyEvent key(QEvent::KeyPress, down ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(list, &key);
}
}  // namespace

refbooks::WorkerEditor::WorkerEditor(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Работники"));

    namespace st = refbooks::workers;
    positions_ = makeTable(this, "staffpos", st::positionsTable());
    department_ = makeTable(this, "department", st::departmentTable());
    roles_ = makeTable(this, "roles", st::rolesTable());

    auto* group = new QGroupBox(QStringLiteral("Данные о работнике"), this);
    nameEdit_ = new QLineEdit(group);
    nameEdit_->setObjectName(QStringLiteral("Edit1"));
    nameEdit_->setMinimumWidth(300);
    departmentList_ = makeLookup(group, "LCB_department");
    positionList_ = makeLookup(group, "LCB_staffpos");
    roleList_ = makeLookup(group, "LCB_roles");
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("ФИО"), nameEdit_);
    form->addRow(QStringLiteral("Подразделение"), departmentList_);
    form->addRow(QStringLiteral("Должность"), positionList_);
    form->addRow(QStringLiteral("Роль"), roleList_);

    const ui::EditorButtons buttons = ui::layOutEditor(this, group, QStringLiteral("Записать"));
    saveButton_ = buttons.save;

    setTabOrder(nameEdit_, positionList_);
    setTabOrder(positionList_, departmentList_);
    setTabOrder(departmentList_, roleList_);
    setTabOrder(roleList_, saveButton_);
    setTabOrder(saveButton_, buttons.cancel);

    connect(saveButton_, &QPushButton::clicked, this, ui::guarded([this] { save(); }));
}

void refbooks::WorkerEditor::reopenLookups() {
    reload(positions_, positionList_);
    reload(roles_, roleList_);
    reload(department_, departmentList_);
}

void refbooks::WorkerEditor::showForNew() {
    nameEdit_->clear();
    setWindowTitle(QStringLiteral("Заведение данных нового работника"));
    mode_ = refbooks::EditMode::Add;
    reopenLookups();
    ui::showModal(this);
}

void refbooks::WorkerEditor::showForChange(const QString& fullName, int personId,
                                           const data::RowSnapshot& loaded) {
    setWindowTitle(QStringLiteral("Изменение данных работника"));
    mode_ = refbooks::EditMode::Change;
    reopenLookups();
    nameEdit_->setText(fullName);
    personId_ = personId;
    loaded_ = loaded;
    ui::showModal(this);
}

void refbooks::WorkerEditor::windowActivated() {
    nameEdit_->setFocus();
}

void refbooks::WorkerEditor::save() {
    const QString fullName = nameEdit_->text().trimmed();
    if (fullName.isEmpty()) {
        ui::showRefusal(QStringLiteral("ФИО нужно заполнить!"));
        return;
    }
    if (const auto refusal = ui::nameRefusal(fullName, refbooks::workers::kNameLength)) {
        ui::showRefusal(*refusal);
        return;
    }
    refbooks::RowChange change;
    if (mode_ == refbooks::EditMode::Change)
        change = refbooks::LoadedRow{personId_, loaded_};
    // The list shows s_staffpos_hl under "Должность", yet it is filled from the department list.
    const data::Verdict verdict =
        refbooks::workers::save(fullName, departmentList_->currentText(), change);
    if (!refbooks::takeVerdict(verdict, refbooks::shown::guardedWorker(personId_).fields,
                               {[this] { return shownBoxes(); },
                                [this](const QString& field, const data::RowSnapshot& stored) {
                                    showStored(field, stored);
                                }},
                               loaded_))
        return;
    accept();
}

data::RowSnapshot refbooks::WorkerEditor::shownBoxes() const {
    return {{QStringLiteral("fio"), nameEdit_->text().trimmed()},
            {QStringLiteral("s_staffpos_hl"), departmentList_->currentText()}};
}

void refbooks::WorkerEditor::showStored(const QString& field, const data::RowSnapshot& stored) {
    const QString value = stored.value(field);
    if (field == QLatin1String("fio")) {
        nameEdit_->setText(value);
    } else if (field == QLatin1String("s_staffpos_hl")) {
        // A text no department bears (written by another program) is offered as it is, so that
        // the next save keeps it.
        int index = departmentList_->findText(value);
        if (index < 0) {
            departmentList_->addItem(value);
            index = departmentList_->count() - 1;
        }
        departmentList_->setCurrentIndex(index);
    }
}

void refbooks::WorkerEditor::moveFocusedLookup(bool down) {
    for (QComboBox* list : {roleList_, positionList_, departmentList_})
        if (list->hasFocus())
            sendArrow(list, down);
}

void refbooks::WorkerEditor::wheelEvent(QWheelEvent* event) {
    if (event->angleDelta().y() != 0)
        moveFocusedLookup(event->angleDelta().y() < 0);
    event->ignore();
}
