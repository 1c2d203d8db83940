#include "message_log.h"

namespace testing_support {

MessageLog::MessageLog() {
    ui::setMessageResponder([this](const ui::Message& m) {
        messages_ << m;
        if (!answers_.empty()) {
            const ui::Answer a = answers_.front();
            answers_.pop_front();
            return a;
        }
        return m.buttons == ui::Buttons::YesNo ? defaultQuestion_ : ui::Answer::Ok;
    });
}

MessageLog::~MessageLog() {
    ui::clearMessageResponder();
}

QStringList MessageLog::texts() const {
    QStringList t;
    for (const auto& m : messages_)
        t << m.text;
    return t;
}

}  // namespace testing_support
