#include "refbooks/list_search_keys.h"

#include "data/dataset.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace refbooks {

namespace {
bool passesInTextOnlyMode(const QKeyEvent* key) {
    switch (key->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return true;
        default:
            break;
    }
    if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Copy) ||
        key->matches(QKeySequence::Cut) || key->matches(QKeySequence::SelectAll) ||
        key->matches(QKeySequence::Undo))
        return true;
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint();
}
}  // namespace

ListSearchKeys::ListSearchKeys(QLineEdit* box, std::function<data::Dataset*()> query, Mode mode)
    : QObject(box), query_(std::move(query)), mode_(mode) {
    box->installEventFilter(this);
}

bool ListSearchKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    data::Dataset* query = query_();
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        if (query && query->isOpen()) {
            if (key->key() == Qt::Key_Up)
                query->prior();
            else
                query->next();
        }
        return true;
    }
    if (mode_ == Mode::TextOnly)
        return !passesInTextOnlyMode(key);
    return false;
}

}  // namespace refbooks
