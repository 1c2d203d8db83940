#include "ui/dialogs.h"

#include <QDebug>

namespace ui {

namespace {
std::function<Answer(const Message&)>& responder() {
    static std::function<Answer(const Message&)> r;
    return r;
}
std::function<Answer(const Message&)>& presenter() {
    static std::function<Answer(const Message&)> p;
    return p;
}
}  // namespace

Answer showMessage(const Message& message) {
    if (responder())
        return responder()(message);
    if (presenter())
        return presenter()(message);
    qWarning().noquote() << message.caption << ":" << message.text;
    return message.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

void setMessageResponder(std::function<Answer(const Message&)> r) {
    responder() = std::move(r);
}

void clearMessageResponder() {
    responder() = nullptr;
}

void setMessagePresenter(std::function<Answer(const Message&)> p) {
    presenter() = std::move(p);
}

void showRefusal(const QString& text) {
    showMessage({text, QStringLiteral("Ошибка"), Icon::Stop, Buttons::Ok});
}

bool confirmDeletion(const QString& text) {
    return showMessage({text, QStringLiteral("Удаление"), Icon::Question, Buttons::YesNo}) ==
           Answer::Yes;
}

}  // namespace ui
