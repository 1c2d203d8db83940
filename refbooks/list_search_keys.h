#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

namespace data {
class Dataset;
}

namespace refbooks {

// Key handling of a list window's search box: Up and Down move the list's query to the previous
// or next row. In ArrowsOnly mode every other key edits as usual; in TextOnly mode the box's own
// handling of other non-character keys (Delete, Left, Right, Home, End...) is swallowed, while
// typed characters, Backspace, the clipboard keys and the dialog keys (Enter, Escape, Tab) still
// work.
class ListSearchKeys : public QObject {
public:
    enum class Mode { ArrowsOnly, TextOnly };

    ListSearchKeys(QLineEdit* box, std::function<data::Dataset*()> query, Mode mode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<data::Dataset*()> query_;  // the data module's query
    Mode mode_;
};

}  // namespace refbooks
