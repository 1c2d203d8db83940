#include "refbooks/product_editor.h"

#include "data/data_module.h"
#include "refbooks/change_verdict.h"
#include "refbooks/product_save.h"
#include "refbooks/products_statements.h"
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

refbooks::ProductEditor::ProductEditor(data::SharedData& db, QWidget* parent)
    : ui::Window(parent), db_(db) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Изделие"));

    auto* group = new QGroupBox(QStringLiteral("Данные об изделии"), this);
    markEdit_ = new QLineEdit(group);
    markEdit_->setObjectName(QStringLiteral("Edit1"));
    markEdit_->setMinimumWidth(220);
    quantityEdit_ = new QLineEdit(group);
    quantityEdit_->setObjectName(QStringLiteral("Edit2"));
    quantityEdit_->setMaximumWidth(100);
    ui::filterKeys(quantityEdit_, ui::decimalKey);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Марка"), markEdit_);
    form->addRow(QStringLiteral("Расценка"), quantityEdit_);

    const ui::EditorButtons buttons = ui::layOutEditor(this, group, QStringLiteral("Записать"));
    saveButton_ = buttons.save;

    connect(saveButton_, &QPushButton::clicked, this, ui::guarded([this] { save(); }));
}

void refbooks::ProductEditor::showForNew() {
    markEdit_->clear();
    quantityEdit_->clear();
    setWindowTitle(QStringLiteral("Заведение нового изделия"));
    mode_ = refbooks::EditMode::Add;
    ui::showModal(this);
}

void refbooks::ProductEditor::showForChange(const QString& mark, const QString& quantity,
                                            const data::RowSnapshot& loaded) {
    setWindowTitle(QStringLiteral("Изменение данных изделия"));
    mode_ = refbooks::EditMode::Change;
    markEdit_->setText(mark);
    quantityEdit_->setText(quantity);
    loaded_ = loaded;
    ui::showModal(this);
}

void refbooks::ProductEditor::windowActivated() {
    markEdit_->setFocus();
}

void refbooks::ProductEditor::save() {
    const QString mark = markEdit_->text().trimmed();
    const QString quantityText = quantityEdit_->text().trimmed();
    if (mark.isEmpty() || quantityText.isEmpty()) {
        ui::showRefusal(QStringLiteral("Все поля должны быть заполнены!"));
        return;
    }
    namespace st = refbooks::products;
    if (const auto refusal = ui::nameRefusal(mark, st::kMarkLength)) {
        ui::showRefusal(*refusal);
        return;
    }
    data::Dataset* products = db_.products;
    refbooks::RowChange change;
    if (mode_ == refbooks::EditMode::Change)
        change = refbooks::LoadedRow{products->asInt64(QStringLiteral("id")), loaded_};
    const data::Verdict verdict = st::save(db_, mark, st::parseQuantity(quantityText), change);
    const refbooks::EditedRow boxes{
        [this] {
            return data::RowSnapshot{{QStringLiteral("marka"), markEdit_->text().trimmed()},
                                     {QStringLiteral("massa"), quantityEdit_->text().trimmed()}};
        },
        [this](const QString& field, const data::RowSnapshot& stored) {
            (field == QLatin1String("marka") ? markEdit_ : quantityEdit_)
                ->setText(stored.value(field));
        }};
    if (!refbooks::takeVerdict(verdict, refbooks::shown::guardedProduct(verdict.id).fields, boxes,
                               loaded_))
        return;
    products->reopen();
    accept();
}
