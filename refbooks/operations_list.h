#pragma once

#include "refbooks/choices.h"
#include "ui/window.h"

#include <memory>
#include <optional>

class NormsWindow;
class OperationEditor;
class OperationKindsList;
class ProductsList;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;
namespace data {
class Dataset;
class SharedData;
}  // namespace data

// The operations and prices list "Операции" over the shared Oper query: a reference book (Tag 0)
// or the operation picker (Tag 1), which hands the chosen operation back. It also opens an
// operation's norms and writes the price list to a spreadsheet.
class OperationsList : public ui::Window {
    Q_OBJECT
public:
    // The operation editor it opens picks products and kinds from these lists.
    OperationsList(data::SharedData& db, ProductsList& products, OperationKindsList& kinds,
                   QWidget* parent = nullptr);
    ~OperationsList() override;

    // Opened from the journal's main menu (Tag 0), shown modally; Oper is closed after.
    void showAsReferenceBook();
    // Tag 1, Oper opened and positioned on the operation operId (0: the first row), shown
    // modally; the operation chosen, if any.
    std::optional<refbooks::OperationChoice> pick(int operId);

    void windowActivated() override;
    void addOperation();     // "Добавить"
    void changeOrChoose();   // "Изменить", or "Выбрать" in the picker
    void deleteOperation();  // "Удалить"
    void exportPriceList();  // "Excel": the price list
    void openCurrent();      // a double-click: the norms when "Цены" is ticked, else as Button2
    void search();           // the search box changed

    data::Dataset& priceList() const { return *priceList_; }

private:
    void changeOperation();
    void chooseOperation();
    void openNorms();

    data::SharedData& db_;
    std::unique_ptr<OperationEditor> editor_;
    std::unique_ptr<NormsWindow> norms_;
    std::optional<refbooks::OperationChoice> choice_;

    QTableView* grid_;
    QPushButton* addButton_;
    QPushButton* changeButton_;
    QPushButton* deleteButton_;
    QPushButton* excelButton_;
    QCheckBox* pricesCheck_;  // "Цены": a double-click opens the norms
    QLineEdit* searchEdit_;   // search by mark
    QPushButton* exitButton_;

    data::Dataset* priceList_;  // the price list query
};
