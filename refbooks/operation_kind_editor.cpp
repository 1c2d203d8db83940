#include "refbooks/operation_kind_editor.h"

#include "data/data_module.h"
#include "refbooks/change_verdict.h"
#include "refbooks/operation_kind_save.h"
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

refbooks::OperationKindEditor::OperationKindEditor(data::SharedData& db, QWidget* parent)
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

void refbooks::OperationKindEditor::showForNew() {
    nameEdit_->clear();
    setWindowTitle(QStringLiteral("Заведение нового вида операций"));
    mode_ = refbooks::EditMode::Add;
    ui::showModal(this);
}

void refbooks::OperationKindEditor::showForChange(const QString& name,
                                                  const data::RowSnapshot& loaded) {
    setWindowTitle(QStringLiteral("Изменение данных вида операции"));
    mode_ = refbooks::EditMode::Change;
    nameEdit_->setText(name);
    loaded_ = loaded;
    ui::showModal(this);
}

void refbooks::OperationKindEditor::windowActivated() {
    nameEdit_->setFocus();
}

void refbooks::OperationKindEditor::save() {
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
    refbooks::RowChange change;
    if (mode_ == refbooks::EditMode::Change)
        change = refbooks::LoadedRow{kinds->asInt64(QStringLiteral("id")), loaded_};
    const data::Verdict verdict = st::save(db_, name, change);
    const refbooks::EditedRow box{
        [this] {
            return data::RowSnapshot{{QStringLiteral("vid"), nameEdit_->text().trimmed()}};
        },
        [this](const QString& field, const data::RowSnapshot& stored) {
            nameEdit_->setText(stored.value(field));
        }};
    if (!refbooks::takeVerdict(verdict, refbooks::shown::guardedKind(verdict.id).fields, box,
                               loaded_))
        return;
    kinds->reopen();
    accept();
}
