#pragma once

#include "refbooks/choices.h"
#include "ui/window.h"

#include <memory>
#include <optional>

class ProductEditor;
class QLineEdit;
class QPushButton;
class QTableView;
namespace data {
class SharedData;
}

// The products list over the shared Izdel query: a reference book (Tag 0) or the product picker
// (Tag 1), which hands the chosen product back. A row is changed or chosen by a double-click.
class ProductsList : public ui::Window {
    Q_OBJECT
public:
    explicit ProductsList(data::SharedData& db, QWidget* parent = nullptr);
    ~ProductsList() override;

    // Opened from the journal's main menu (Tag 0) and shown modally; the query is closed after.
    void showAsReferenceBook();
    // Tag 1, shown modally; the product chosen, if any (an empty list gives id 0 and no mark).
    std::optional<refbooks::ProductChoice> pick();

    void windowActivated() override;
    void addProduct();      // "Добавить"
    void deleteProduct();   // "Удалить"
    void changeOrChoose();  // a double-click
    void search();          // the search box changed

private:
    void changeProduct();
    void chooseProduct();

    data::SharedData& db_;
    std::unique_ptr<ProductEditor> editor_;
    std::optional<refbooks::ProductChoice> choice_;

    QTableView* grid_;
    QLineEdit* searchEdit_;
    QPushButton* addButton_;
    QPushButton* changeButton_;  // never shown
    QPushButton* deleteButton_;
    QPushButton* exitButton_;
};
