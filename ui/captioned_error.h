#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace ui {

// A refusal of the core whose stop boxes carry a caption of their own (the error display's is
// "Ошибка"): the core throws it, the error display shows its texts one box each, in order.
class CaptionedError : public std::runtime_error {
public:
    CaptionedError(QStringList texts, QString caption)
        : std::runtime_error(texts.join(QLatin1Char('\n')).toStdString()),
          texts_(std::move(texts)),
          caption_(std::move(caption)) {}

    const QStringList& texts() const { return texts_; }
    const QString& caption() const { return caption_; }

private:
    QStringList texts_;
    QString caption_;
};

}  // namespace ui
