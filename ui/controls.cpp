#include "ui/controls.h"

#include "ui/window.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

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

class KeyFilter : public QObject {
public:
    KeyFilter(QLineEdit* box, KeyRule rule) : QObject(box), box_(box), rule_(std::move(rule)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_ || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (key->key() == Qt::Key_Backspace || text.size() != 1 || !text.at(0).isPrint())
            return false;
        const QChar typed = text.at(0);
        const std::optional<QChar> accepted = rule_(typed);
        if (!accepted)
            return true;  // dropped
        if (*accepted == typed)
            return false;  // entered as it is
        box_->insert(QString(*accepted));
        return true;
    }

private:
    QLineEdit* box_;
    KeyRule rule_;
};

class KeyRuleValidator : public QValidator {
public:
    KeyRuleValidator(QObject* parent, KeyRule rule) : QValidator(parent), rule_(std::move(rule)) {}

    State validate(QString& input, int&) const override {
        return throughKeyRule(input, rule_) == input ? Acceptable : Invalid;
    }

private:
    KeyRule rule_;
};
}  // namespace

QValidator* keyRuleValidator(QObject* parent, KeyRule rule) {
    return new KeyRuleValidator(parent, std::move(rule));
}

void filterKeys(QLineEdit* box, KeyRule rule) {
    box->installEventFilter(new KeyFilter(box, std::move(rule)));
}

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
