#pragma once

#include "data/change.h"
#include "refbooks/list_search_keys.h"
#include "ui/window.h"
#include "views/columns.h"

#include <QSize>
#include <optional>
#include <utility>
#include <vector>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QTableView;
namespace data {
class Dataset;
}

namespace refbooks {

// What every reference list shares: a grid over one of the shared queries, "Добавить",
// "Изменить", "Удалить", a search box and "Выход". The list is shown either as a reference book,
// where rows are added, changed and deleted, or as a picker, where "Изменить" reads "Выбрать" and
// hands the current row back to the window that opened it. Each list gives its columns, its
// search filter and its row actions. The list shows a change committed anywhere in the client
// (data::changes()) of the subjects it follows.
class ReferenceList : public ui::Window {
    Q_OBJECT
public:
    enum class Mode { ReferenceBook, Picker };

    // When the search box shows.
    enum class SearchBox {
        Always,
        InPicker,        // only while picking
        UntilFirstPick,  // from the start until the first picker closes
    };
    // Where the search box sits: in the button row (widened), or in a row of its own under the
    // grid.
    enum class SearchPlace { ButtonRow, BelowGrid };
    enum class ChangeButton { Shown, Hidden };  // hidden: a row is changed by a double-click
    // Where the list stands after a deletion: on the same row number, or on its first row.
    enum class AfterDeletion { SameRowNumber, FirstRow };
    enum class Sizing { Fixed, Resizable };

    // How a list looks and behaves where the lists differ.
    struct Setup {
        const char* objectName = nullptr;
        QString caption{};
        data::Dataset& query;
        views::Columns columns{};
        QString deleteQuestion{};  // asked before a deletion
        ListSearchKeys::Mode searchKeys = ListSearchKeys::Mode::TextOnly;
        SearchBox searchBox = SearchBox::Always;
        SearchPlace searchPlace = SearchPlace::ButtonRow;
        ChangeButton changeButton = ChangeButton::Shown;
        AfterDeletion afterDeletion = AfterDeletion::SameRowNumber;
        QSize size{};
        Sizing sizing = Sizing::Fixed;
        // The subjects whose committed changes the list shows: its own rows, and the names of
        // other books it shows beside them.
        std::vector<data::Subject> follows{};
    };

    Mode mode() const { return mode_; }

    // Opened from the journal's main menu and shown modally; the query is closed after.
    void showAsReferenceBook();

    void windowActivated() override;
    void addRow();          // "Добавить"
    void changeOrChoose();  // "Изменить", or "Выбрать" in the picker; also a double-click
    void deleteRow();       // "Удалить": asks, deletes the current row, reloads the list
    void search();          // the search box changed

protected:
    ReferenceList(const Setup& setup, QWidget* parent);

    // Shows the list as a picker, modally; chooseCurrent fills choice, which is handed back.
    template <class Choice>
    std::optional<Choice> showAsPicker(std::optional<Choice>& choice) {
        choice.reset();
        runPicker();
        return std::exchange(choice, std::nullopt);
    }

    data::Dataset& query() const { return query_; }
    QLineEdit& searchBox() const { return *searchEdit_; }
    // Puts a control of the list's own into the button row, after "Удалить".
    void addToButtonRow(QWidget* control);

private:
    // The list's row actions. changeCurrent and removeCurrent run only on a list with rows.
    virtual void addNew() = 0;
    virtual void changeCurrent() = 0;
    // Takes the current row as the choice; true when the picker closes.
    virtual bool chooseCurrent() = 0;
    // Deletes the current row from its table; by default through the query.
    virtual void removeCurrent();
    // The filter expression for the search box's text; empty switches the filter off.
    virtual QString filterFor(const QString& typed) const = 0;
    // Opens the query for the picker, positioned as the picker starts, the search cleared.
    virtual void openForPicker();
    // The query after the picker closed.
    virtual void leavePicker();
    // A double-click on a row.
    virtual void rowDoubleClicked() { changeOrChoose(); }

    void runPicker();
    // Reads the open query again on the same row after a change of a subject it follows.
    void followChange(const data::Change& change);
    void buildControls(const Setup& setup);
    void layOut(const Setup& setup);
    void connectControls();

    data::Dataset& query_;
    Mode mode_ = Mode::ReferenceBook;
    SearchBox searchShown_;
    AfterDeletion afterDeletion_;
    QString deleteQuestion_;
    std::vector<data::Subject> follows_;

    QTableView* grid_;
    QPushButton* addButton_;
    QPushButton* changeButton_;
    QPushButton* deleteButton_;
    QPushButton* exitButton_;
    QLineEdit* searchEdit_;
    QHBoxLayout* buttonRow_;
    int ownControls_ = 0;  // the list's own controls in the button row
};

}  // namespace refbooks
