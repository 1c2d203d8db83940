#include "ui/controls.h"

#include "ui/window.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);  // only the chosen default button answers Enter
    return b;
}

QPushButton* makePickerButton(QWidget* parent, const char* name, int width) {
    QPushButton* b = makeButton(parent, name, QStringLiteral("..."));
    b->setFixedWidth(width);
    return b;
}

EditorButtons layOutEditor(QDialog* dialog, QWidget* group, const QString& saveCaption,
                           bool fixedSize) {
    EditorButtons b{makeButton(dialog, "Button1", saveCaption),
                    makeButton(dialog, "Button2", QStringLiteral("Отмена"))};
    b.save->setDefault(true);
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(b.save);
    row->addWidget(b.cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(group);
    layout->addLayout(row);
    if (fixedSize)
        fixSize(dialog);
    return b;
}

}  // namespace ui
