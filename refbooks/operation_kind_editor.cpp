#include "refbooks/operation_kind_editor.h"

#include "data/data_module.h"
#include "refbooks/change_verdict.h"
#include "refbooks/operation_kinds_statements.h"
#include "refbooks/shown_rows.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"
#include "ui/text_checks.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

OperationKindEditor::OperationKindEditor(data::SharedData& db, QWidget* parent)
    : ui::Window(parent), db_(db) {
    setObjectName(QStringLiteral("Form9"));

    auto* group = new QGroupBox(QStringLiteral("Вид операции"), this);
    nameEdit_ = new QLineEdit(group);
    nameEdit_->setObjectName(QStringLiteral("Edit1"));
    nameEdit_->setMinimumWidth(260);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Операция"), nameEdit_);

    const ui::EditorButtons buttons = ui::layOutEditor(this, group, QStringLiteral("Записать"));
    saveButton_ = buttons.save;

    connect(saveButton_, &QPushButton::clicked, this, ui::guarded([this] { save(); }));
}

void OperationKindEditor::showForNew() {
    nameEdit_->clear();
    setWindowTitle(QStringLiteral("Заведение нового вида операций"));
    mode_ = refbooks::EditMode::Add;
    ui::showModal(this);
}

void OperationKindEditor::showForChange(const QString& name, const data::RowSnapshot& loaded) {
    setWindowTitle(QStringLiteral("Изменение данных вида операции"));
    mode_ = refbooks::EditMode::Change;
    nameEdit_->setText(name);
    loaded_ = loaded;
    ui::showModal(this);
}

void OperationKindEditor::windowActivated() {
    nameEdit_->setFocus();
}

void OperationKindEditor::save() {
    const QString name = nameEdit_->text().trimmed();
    if (name.isEmpty()) {
        ui::showRefusal(QStringLiteral("Все поля должны быть заполнены!"));
        return;
    }
    namespace st = refbooks::kinds;
    if (const auto refusal = ui::nameRefusal(name, st::kNameLength)) {
        ui::showRefusal(*refusal);
        return;
    }
    data::Dataset* kinds = db_.operationKinds;
    const QString duplicateCount =
        mode_ == refbooks::EditMode::Add
            ? st::duplicateKindOnAdd(name)
            : st::duplicateKindOnChange(name, kinds->asInt64(QStringLiteral("id")));
    if (db_.countsAnyRow(duplicateCount)) {
        ui::showRefusal(QStringLiteral("Такая операция уже заведена!"));
        return;
    }
    if (mode_ == refbooks::EditMode::Add)
        kinds->insert();
    else
        kinds->edit();
    kinds->setValue(QStringLiteral("vid"), name);
    bool written = true;
    try {
        if (mode_ == refbooks::EditMode::Add)
            kinds->post();
        else
            written = writeChange();
    } catch (...) {
        kinds->cancel();  // the editor stays open; the list keeps its rows as they were
        throw;
    }
    if (!written) {
        kinds->cancel();
        return;
    }
    kinds->reopen();
    accept();
}

bool OperationKindEditor::writeChange() {
    data::Dataset* kinds = db_.operationKinds;
    const data::GuardedRow row = refbooks::shown::guardedKind(kinds->asInt64(QStringLiteral("id")));
    return refbooks::takeVerdict(
        data::writeUnlessChanged(row, loaded_, [kinds] { kinds->post(); }), row.fields,
        {[this] {
             return data::RowSnapshot{{QStringLiteral("vid"), nameEdit_->text().trimmed()}};
         },
         [this](const QString& field, const data::RowSnapshot& stored) {
             nameEdit_->setText(stored.value(field));
         }},
        loaded_);
}
