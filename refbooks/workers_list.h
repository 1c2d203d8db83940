#pragma once

#include "refbooks/choices.h"
#include "ui/window.h"

#include <memory>
#include <optional>

class QLineEdit;
class QPushButton;
class QTableView;
class WorkerEditor;
namespace data {
class SharedData;
}

// The workers list over the shared Workers query: a reference book (Tag 0) or the worker picker
// (Tag 1), which hands the chosen worker back to its caller.
class WorkersList : public ui::Window {
    Q_OBJECT
public:
    explicit WorkersList(data::SharedData& db, QWidget* parent = nullptr);
    ~WorkersList() override;

    // Opened from the journal's main menu (Tag 0) and shown modally; the query is closed after.
    void showAsReferenceBook();
    // Tag 1, shown modally; the worker chosen, if any.
    std::optional<refbooks::WorkerChoice> pick();

    void windowActivated() override;
    void addWorker();       // "Добавить"
    void changeOrChoose();  // "Изменить", or "Выбрать" in the picker; also a double-click
    void deleteWorker();  // "Удалить"
    void search();        // the search box changed

private:
    void changeWorker();
    void chooseWorker();

    data::SharedData& db_;
    std::unique_ptr<WorkerEditor> editor_;
    std::optional<refbooks::WorkerChoice> choice_;

    QTableView* grid_;
    QPushButton* addButton_;
    QPushButton* changeButton_;
    QPushButton* deleteButton_;
    QPushButton* exitButton_;
    QLineEdit* searchEdit_;
};
