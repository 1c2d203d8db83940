#include "ui/text_prompt.h"

#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/modal.h"
#include "ui/text_checks.h"
#include "ui/window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

class TextPrompt : public Window {
public:
    explicit TextPrompt(const TextQuestion& question) : maxLength_(question.maxLength) {
        setObjectName(question.objectName);
        setWindowTitle(question.caption);
        auto* label = new QLabel(question.label, this);
        label->setObjectName(QStringLiteral("promptLabel"));
        label->setWordWrap(true);
        edit_ = new QLineEdit(this);
        edit_->setObjectName(QStringLiteral("promptEdit"));
        // One character over the limit, so that a longer paste is refused, not cut silently.
        edit_->setMaxLength(maxLength_ + 1);
        edit_->setMinimumWidth(420);
        ok_ = makeButton(this, "promptOkButton", QStringLiteral("ОК"));
        ok_->setDefault(true);
        ok_->setEnabled(false);
        QPushButton* cancel = makeButton(this, "promptCancelButton", QStringLiteral("Отмена"));

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(ok_);
        buttons->addWidget(cancel);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label);
        layout->addWidget(edit_);
        layout->addLayout(buttons);
        fixSize(this);

        connect(edit_, &QLineEdit::textChanged, this,
                [this](const QString& text) { ok_->setEnabled(!text.trimmed().isEmpty()); });
        connect(ok_, &QPushButton::clicked, this, [this] { accept(); });
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }

    void accept() override {
        const QString text = answer();
        if (text.isEmpty())
            return;
        if (const auto refusal = nameRefusal(text, maxLength_)) {
            showRefusal(*refusal);
            return;
        }
        QDialog::accept();
    }

    QString answer() const { return edit_->text().trimmed(); }

private:
    int maxLength_;
    QLineEdit* edit_;
    QPushButton* ok_;
};

}  // namespace

std::optional<QString> askText(const TextQuestion& question) {
    TextPrompt prompt(question);
    if (showModal(&prompt) != QDialog::Accepted)
        return std::nullopt;
    // A hook that answered Accepted without "ОК" still gets only text the box would take.
    const QString text = prompt.answer();
    if (text.isEmpty() || nameRefusal(text, question.maxLength))
        return std::nullopt;
    return text;
}

}  // namespace ui
