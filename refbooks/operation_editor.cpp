#include "refbooks/operation_editor.h"

#include "data/data_module.h"
#include "data/transaction.h"
#include "refbooks/operation_kinds_list.h"
#include "refbooks/operations_statements.h"
#include "refbooks/products_list.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm10* Form10 = nullptr;

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

TForm10::TForm10(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Цена операции"));

    GroupBox1 = new QGroupBox(QStringLiteral("Цена операции"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Edit1 = readOnlyBox(GroupBox1, "Edit1");
    Button3 = ui::makePickerButton(GroupBox1, "Button3", 32);
    Edit2 = readOnlyBox(GroupBox1, "Edit2");
    Button4 = ui::makePickerButton(GroupBox1, "Button4", 32);
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("Готовая продукция"), QStringLiteral("Заготовки")});
    auto* form = new QFormLayout(GroupBox1);
    form->addRow(QStringLiteral("Марка изделия"), boxWithButton(Edit1, Button3));
    form->addRow(QStringLiteral("Операция"), boxWithButton(Edit2, Button4));
    form->addRow(QStringLiteral("Вид"), ComboBox1);

    const ui::EditorButtons buttons =
        ui::layOutEditor(this, GroupBox1, QStringLiteral("Записать"), false);
    Button1 = buttons.save;
    Button2 = buttons.cancel;

    setTabOrder(Button3, Button4);
    setTabOrder(Button4, ComboBox1);
    setTabOrder(ComboBox1, Button1);
    setTabOrder(Button1, Button2);

    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
    connect(Button3, &QPushButton::clicked, this, ui::guarded([this] { Button3Click(); }));
    connect(Button4, &QPushButton::clicked, this, ui::guarded([this] { Button4Click(); }));
}

void TForm10::FormActivate() {
    Button3->setFocus();
}

void TForm10::Button3Click() {
    Form3->ShowAsPicker();
}

void TForm10::Button4Click() {
    Form8->ShowAsPicker();
}

void TForm10::Button1Click() {
    const int naimen = ComboBox1->currentIndex();
    if (Edit1->text().trimmed().isEmpty() || Edit2->text().trimmed().isEmpty()) {
        ui::showRefusal(QStringLiteral("Все поля должны быть заполнены!"));
        return;
    }
    data::Dataset* o = DataModule6->Oper;
    const QString duplicate =
        Tag == 1 ? ops::duplicateOnAdd(vid_id, naimen, izdel_id)
                 : ops::duplicateOnChange(vid_id, naimen, izdel_id, o->asInt(QStringLiteral("id")));
    const QString message = QStringLiteral("Операция с такими параметрами уже заведена!");
    // The common refusal, answered before anything is locked.
    if (DataModule6->CheckDuplicate(duplicate, message))
        return;
    int shown = 0;
    bool raced = false;
    {
        data::Transaction transaction;
        // Another workstation may have written the same combination since the check: look
        // again under the lock, which it holds until its own save has committed.
        data::lockForTransaction(ops::combinationLockKey(vid_id, naimen, izdel_id));
        if (DataModule6->controlCount(duplicate) > 0) {
            raced = true;
        } else {
            if (Tag == 1) {
                shown = addOperation(naimen);
            } else {
                shown = o->asInt(QStringLiteral("id"));
                DataModule6->Oper_ed.setSql(ops::updateOperation(vid_id, naimen, izdel_id, shown));
                DataModule6->Oper_ed.execOnRow();
            }
            transaction.commit();
        }
    }
    if (raced) {
        ui::showRefusal(message);  // shown only now, so that no lock waits for the user
        return;
    }
    o->reopen();
    o->locate(QStringLiteral("id"), shown);  // the list stays on the operation just written
    accept();
}

int TForm10::addOperation(int naimen) {
    data::Transaction transaction;
    DataModule6->Oper_ins.setSql(ops::insertOperation(vid_id, naimen, izdel_id));
    const int id = qRound(DataModule6->Oper_ins.execReturning().toDouble());
    data::Command firstNorm(QStringLiteral("Norm_ins"), ops::insertFirstNorm());
    firstNorm.setParam(QStringLiteral("o_id"), id);
    firstNorm.setParam(QStringLiteral("price"), 0.0);
    firstNorm.exec();
    transaction.commit();
    return id;
}
