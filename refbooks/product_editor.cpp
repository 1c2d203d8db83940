#include "refbooks/product_editor.h"

#include "data/data_module.h"
#include "refbooks/products_statements.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm7* Form7 = nullptr;

TForm7::TForm7(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Изделие"));

    auto* group = new QGroupBox(QStringLiteral("Данные об изделии"), this);
    Edit1 = new QLineEdit(group);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(220);
    Edit2 = new QLineEdit(group);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setMaximumWidth(100);
    Edit2->installEventFilter(this);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Марка"), Edit1);
    form->addRow(QStringLiteral("Расценка"), Edit2);

    const ui::EditorButtons buttons = ui::layOutEditor(this, group, QStringLiteral("Записать"));
    Button1 = buttons.save;
    Button2 = buttons.cancel;

    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
}

void TForm7::FormActivate() {
    Edit1->setFocus();
}

bool TForm7::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Edit2 || event->type() != QEvent::KeyPress)
        return ui::Window::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // Only typed characters are filtered; Backspace and the editing keys work as usual.
    if (key->key() == Qt::Key_Backspace || text.size() != 1 || !text.at(0).isPrint())
        return false;
    const QChar typed = text.at(0);
    const std::optional<QChar> accepted = refbooks::products::quantityKey(typed);
    if (!accepted)
        return true;  // dropped
    if (*accepted == typed)
        return false;  // entered as it is
    Edit2->insert(QString(*accepted));
    return true;
}

void TForm7::Button1Click() {
    const QString mark = Edit1->text().trimmed();
    const QString quantityText = Edit2->text().trimmed();
    if (mark.isEmpty() || quantityText.isEmpty()) {
        ui::showRefusal(QStringLiteral("Все поля должны быть заполнены!"));
        return;
    }
    namespace st = refbooks::products;
    data::Dataset* izdel = DataModule6->Izdel;
    const qint64 ownId = Tag == 1 ? 0 : izdel->asInt64(QStringLiteral("id"));
    const QString duplicateCount =
        Tag == 1 ? st::duplicateMarkOnAdd(mark) : st::duplicateMarkOnChange(mark, ownId);
    if (DataModule6->CheckDuplicate(duplicateCount,
                                    QStringLiteral("Такая марка изделия уже заведена!")))
        return;
    const double quantity = st::parseQuantity(quantityText);
    DataModule6->SQL_exec.setSql(Tag == 1 ? st::insertProduct(mark, quantity)
                                          : st::updateProduct(ownId, mark, quantity));
    if (Tag == 1)
        DataModule6->SQL_exec.exec();
    else
        DataModule6->SQL_exec.execOnRow();
    izdel->reopen();
    accept();
}
