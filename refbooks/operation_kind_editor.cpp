#include "refbooks/operation_kind_editor.h"

#include "data/data_module.h"
#include "refbooks/operation_kinds_statements.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form9"));

    auto* group = new QGroupBox(QStringLiteral("Вид операции"), this);
    Edit1 = new QLineEdit(group);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(260);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Операция"), Edit1);

    const ui::EditorButtons buttons = ui::layOutEditor(this, group, QStringLiteral("Записать"));
    Button1 = buttons.save;
    Button2 = buttons.cancel;

    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
}

void TForm9::FormActivate() {
    Edit1->setFocus();
}

void TForm9::Button1Click() {
    const QString name = Edit1->text().trimmed();
    if (name.isEmpty()) {
        ui::showRefusal(QStringLiteral("Все поля должны быть заполнены!"));
        return;
    }
    namespace st = refbooks::kinds;
    data::Dataset* kinds = DataModule6->Vid_oper;
    const QString duplicateCount =
        Tag == 1 ? st::duplicateKindOnAdd(name)
                 : st::duplicateKindOnChange(name, kinds->asInt64(QStringLiteral("id")));
    if (DataModule6->CheckDuplicate(duplicateCount, QStringLiteral("Такая операция уже заведена!")))
        return;
    if (Tag == 1)
        kinds->insert();
    else
        kinds->edit();
    kinds->setValue(QStringLiteral("vid"), name);
    try {
        kinds->post();
    } catch (...) {
        kinds->cancel();  // the editor stays open; the list keeps its rows as they were
        throw;
    }
    kinds->reopen();
    accept();
}
