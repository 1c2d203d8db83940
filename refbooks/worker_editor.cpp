#include "refbooks/worker_editor.h"

#include "data/dataset.h"
#include "refbooks/workers_statements.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"

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

TForm2* Form2 = nullptr;

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

TForm2::TForm2(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Работники"));

    namespace st = refbooks::workers;
    staffpos = makeTable(this, "staffpos", st::staffposTable());
    department = makeTable(this, "department", st::departmentTable());
    roles = makeTable(this, "roles", st::rolesTable());

    auto* group = new QGroupBox(QStringLiteral("Данные о работнике"), this);
    Edit1 = new QLineEdit(group);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(300);
    LCB_department = makeLookup(group, "LCB_department");
    LCB_staffpos = makeLookup(group, "LCB_staffpos");
    LCB_roles = makeLookup(group, "LCB_roles");
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("ФИО"), Edit1);
    form->addRow(QStringLiteral("Подразделение"), LCB_department);
    form->addRow(QStringLiteral("Должность"), LCB_staffpos);
    form->addRow(QStringLiteral("Роль"), LCB_roles);

    const ui::EditorButtons buttons = ui::layOutEditor(this, group, QStringLiteral("Записать"));
    Button1 = buttons.save;
    Button2 = buttons.cancel;

    setTabOrder(Edit1, LCB_staffpos);
    setTabOrder(LCB_staffpos, LCB_department);
    setTabOrder(LCB_department, LCB_roles);
    setTabOrder(LCB_roles, Button1);
    setTabOrder(Button1, Button2);

    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
}

void TForm2::ReopenLookups() {
    reload(staffpos, LCB_staffpos);
    reload(roles, LCB_roles);
    reload(department, LCB_department);
}

void TForm2::FormActivate() {
    Edit1->setFocus();
}

void TForm2::Button1Click() {
    const QString fio = Edit1->text().trimmed();
    if (fio.isEmpty()) {
        ui::showRefusal(QStringLiteral("ФИО нужно заполнить!"));
        return;
    }
    // The list shows s_staffpos_hl under "Должность", yet it is filled from the department list.
    const QString departmentText = LCB_department->currentText();
    cmd_person.setSql(Tag == 1 ? refbooks::workers::insertWorker(fio, departmentText)
                               : refbooks::workers::updateWorker(fio, departmentText, person_id));
    if (Tag == 1)
        cmd_person.exec();
    else
        cmd_person.execOnRow();
    accept();
}

void TForm2::FormMouseWheel(bool down) {
    for (QComboBox* list : {LCB_roles, LCB_staffpos, LCB_department})
        if (list->hasFocus())
            sendArrow(list, down);
}

void TForm2::wheelEvent(QWheelEvent* event) {
    if (event->angleDelta().y() != 0)
        FormMouseWheel(event->angleDelta().y() < 0);
    event->ignore();
}
