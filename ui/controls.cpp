#include "ui/controls.h"

#include "ui/window.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {
// Enter on a focused button presses that button, whichever button is the window's default.
class Button : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};
}  // namespace

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new Button(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    // Enter elsewhere in the window presses only the button the window makes its default.
    b->setAutoDefault(false);
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
