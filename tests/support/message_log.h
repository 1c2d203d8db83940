#pragma once

#include "qt_printers.h"
#include "ui/dialogs.h"

#include <QList>
#include <deque>

namespace testing_support {

// Records every message box while it lives and answers them: with queued answers first, then
// with the default answer (Yes for questions unless told otherwise, OK for the rest).
class MessageLog {
public:
    MessageLog();
    ~MessageLog();

    void answerNext(ui::Answer answer) { answers_.push_back(answer); }
    void setDefaultQuestionAnswer(ui::Answer answer) { defaultQuestion_ = answer; }

    const QList<ui::Message>& messages() const { return messages_; }
    int count() const { return messages_.size(); }
    QStringList texts() const;
    void clear() { messages_.clear(); }

private:
    QList<ui::Message> messages_;
    std::deque<ui::Answer> answers_;
    ui::Answer defaultQuestion_ = ui::Answer::Yes;
};

}  // namespace testing_support
