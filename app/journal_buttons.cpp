#include "app/journal_buttons.h"

#include "ui/controls.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace journal {

JournalButtons::JournalButtons(QWidget* parent) : QWidget(parent) {
    add_ = ui::makeButton(this, "Button1", QStringLiteral("Добавить"));
    change_ = ui::makeButton(this, "Button2", QStringLiteral("Изменить"));
    remove_ = ui::makeButton(this, "Button3", QStringLiteral("Удалить"));
    refresh_ = ui::makeButton(this, "Button8", QStringLiteral("Обновить"));
    exit_ = ui::makeButton(this, "Button4", QStringLiteral("Выход"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : {add_, change_, remove_, refresh_})
        row->addWidget(b);
    row->addStretch();
    row->addWidget(exit_);
}

}  // namespace journal
