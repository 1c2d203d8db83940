#pragma once

#include "refbooks/choices.h"
#include "ui/window.h"

#include <memory>
#include <optional>

class OperationKindEditor;
class QLineEdit;
class QPushButton;
class QTableView;
namespace data {
class SharedData;
}

// The operation kinds list over the shared Vid_oper query: a reference book (Tag 0) or the kind
// picker (Tag 1), which hands the chosen kind back.
class OperationKindsList : public ui::Window {
    Q_OBJECT
public:
    explicit OperationKindsList(data::SharedData& db, QWidget* parent = nullptr);
    ~OperationKindsList() override;

    // Opened from the journal's main menu (Tag 0) and shown modally; the query is closed after.
    void showAsReferenceBook();
    // Tag 1, shown modally; the kind chosen, if any (an empty list gives id 0 and no name).
    std::optional<refbooks::KindChoice> pick();

    void windowActivated() override;
    void addKind();         // "Добавить"
    void changeOrChoose();  // "Изменить", or "Выбрать" in the picker; also a double-click
    void deleteKind();  // "Удалить"
    void search();      // the search box changed

private:
    void changeKind();
    void chooseKind();

    data::SharedData& db_;
    std::unique_ptr<OperationKindEditor> editor_;
    std::optional<refbooks::KindChoice> choice_;

    QTableView* grid_;
    QLineEdit* searchEdit_;
    QPushButton* addButton_;
    QPushButton* changeButton_;
    QPushButton* deleteButton_;
    QPushButton* exitButton_;
};
