#include "refbooks/operation_editor.h"

#include "data/data_module.h"
#include "refbooks/change_verdict.h"
#include "refbooks/operation_kinds_list.h"
#include "refbooks/operation_save.h"
#include "refbooks/operations_statements.h"
#include "refbooks/products_list.h"
#include "refbooks/shown_rows.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ops = refbooks::operations;

namespace {
QLineEdit* readOnlyBox(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setMinimumWidth(260);
    return e;
}

QHBoxLayout* boxWithButton(QLineEdit* box, QPushButton* button) {
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addWidget(button);
    return row;
}
}  // namespace

refbooks::OperationEditor::OperationEditor(data::SharedData& db, refbooks::ProductsList& products,
                                           refbooks::OperationKindsList& kinds, QWidget* parent)
    : ui::Window(parent), db_(db), products_(products), kinds_(kinds) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Цена операции"));

    group_ = new QGroupBox(QStringLiteral("Цена операции"), this);
    group_->setObjectName(QStringLiteral("GroupBox1"));
    productEdit_ = readOnlyBox(group_, "Edit1");
    productButton_ = ui::makePickerButton(group_, "Button3", 32);
    kindEdit_ = readOnlyBox(group_, "Edit2");
    kindButton_ = ui::makePickerButton(group_, "Button4", 32);
    productKindList_ = new QComboBox(group_);
    productKindList_->setObjectName(QStringLiteral("ComboBox1"));
    productKindList_->addItems({QStringLiteral("Готовая продукция"), QStringLiteral("Заготовки")});
    auto* form = new QFormLayout(group_);
    form->addRow(QStringLiteral("Марка изделия"), boxWithButton(productEdit_, productButton_));
    form->addRow(QStringLiteral("Операция"), boxWithButton(kindEdit_, kindButton_));
    form->addRow(QStringLiteral("Вид"), productKindList_);

    const ui::EditorButtons buttons =
        ui::layOutEditor(this, group_, QStringLiteral("Записать"), false);
    saveButton_ = buttons.save;

    setTabOrder(productButton_, kindButton_);
    setTabOrder(kindButton_, productKindList_);
    setTabOrder(productKindList_, saveButton_);
    setTabOrder(saveButton_, buttons.cancel);

    connect(saveButton_, &QPushButton::clicked, this, ui::guarded([this] { save(); }));
    connect(productButton_, &QPushButton::clicked, this, ui::guarded([this] { pickProduct(); }));
    connect(kindButton_, &QPushButton::clicked, this, ui::guarded([this] { pickKind(); }));
}

void refbooks::OperationEditor::windowActivated() {
    productButton_->setFocus();
}

void refbooks::OperationEditor::showForNew() {
    productEdit_->clear();
    kindEdit_->clear();
    productKindList_->setCurrentIndex(0);
    setWindowTitle(QStringLiteral("Заведение новой цены за операцию"));
    mode_ = refbooks::EditMode::Add;
    ui::showModal(this);
}

void refbooks::OperationEditor::showForChange(const refbooks::ProductChoice& product,
                                              const refbooks::KindChoice& kind, int productKind,
                                              const data::RowSnapshot& loaded) {
    setWindowTitle(QStringLiteral("Изменение данных о цене за операцию"));
    mode_ = refbooks::EditMode::Change;
    productEdit_->setText(product.mark);
    kindEdit_->setText(kind.name);
    productKindList_->setCurrentIndex(productKind == 0 ? 0 : 1);
    productId_ = product.id;
    kindId_ = kind.id;
    loaded_ = loaded;
    ui::showModal(this);
}

void refbooks::OperationEditor::takeProduct(const refbooks::ProductChoice& product) {
    productEdit_->setText(product.mark);
    productId_ = product.id;
}

void refbooks::OperationEditor::takeKind(const refbooks::KindChoice& kind) {
    kindEdit_->setText(kind.name);
    kindId_ = kind.id;
}

void refbooks::OperationEditor::pickProduct() {
    if (const auto product = products_.pick())
        takeProduct(*product);
}

void refbooks::OperationEditor::pickKind() {
    if (const auto kind = kinds_.pick())
        takeKind(*kind);
}

void refbooks::OperationEditor::save() {
    if (productEdit_->text().trimmed().isEmpty() || kindEdit_->text().trimmed().isEmpty()) {
        ui::showRefusal(QStringLiteral("Все поля должны быть заполнены!"));
        return;
    }
    data::Dataset* o = db_.operations;
    refbooks::RowChange change;
    if (mode_ == refbooks::EditMode::Change)
        change = refbooks::LoadedRow{o->asInt64(QStringLiteral("id")), loaded_};
    // Refusals are shown only after the save, so that no lock waits for the user.
    const data::Verdict verdict =
        ops::save(db_, {kindId_, productKindList_->currentIndex(), productId_}, change);
    const refbooks::EditedRow boxes{[this] { return shownBoxes(); },
                                    [this](const QString& field, const data::RowSnapshot& stored) {
                                        showStored(field, stored);
                                    }};
    if (!refbooks::takeVerdict(verdict, refbooks::shown::guardedOperation(verdict.id).fields, boxes,
                               loaded_))
        return;
    o->reopen();
    o->locate(QStringLiteral("id"), verdict.id);  // the list stays on the operation just written
    accept();
}

data::RowSnapshot refbooks::OperationEditor::shownBoxes() const {
    return {{QStringLiteral("i_id"), QString::number(productId_)},
            {QStringLiteral("marka"), productEdit_->text().trimmed()},
            {QStringLiteral("oper_vid"), QString::number(kindId_)},
            {QStringLiteral("vid"), kindEdit_->text().trimmed()},
            {QStringLiteral("naimen"), productKindList_->currentText()}};
}

void refbooks::OperationEditor::showStored(const QString& field, const data::RowSnapshot& stored) {
    if (field == QLatin1String("marka"))
        takeProduct({stored.value(QStringLiteral("i_id")).toInt(), stored.value(field)});
    else if (field == QLatin1String("vid"))
        takeKind({stored.value(QStringLiteral("oper_vid")).toInt(), stored.value(field)});
    else if (field == QLatin1String("naimen"))
        productKindList_->setCurrentIndex(productKindList_->findText(stored.value(field)));
}
