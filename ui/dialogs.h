#pragma once

#include <QString>
#include <functional>

namespace ui {

enum class Icon { Stop, Question, Information, Warning };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No, Cancel };

struct Message {
    QString text;
    QString caption;
    Icon icon = Icon::Stop;
    Buttons buttons = Buttons::Ok;
};

// Shows a modal message box and returns the answer. While a responder is set (tests), no box is
// shown and the responder answers.
Answer showMessage(const Message& message);

void setMessageResponder(std::function<Answer(const Message&)> responder);
void clearMessageResponder();

// The refusal box of every editor: caption "Ошибка", stop icon, OK.
void showRefusal(const QString& text);
// The deletion question: caption "Удаление", Yes and No, question icon. True on Yes.
bool confirmDeletion(const QString& text);

// The widget layer installs the real message box here at start-up; without one (a program that
// has no windows) messages only go to the log.
void setMessagePresenter(std::function<Answer(const Message&)> presenter);

}  // namespace ui
