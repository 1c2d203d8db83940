#pragma once

#include "export/spreadsheet_bridge.h"
#include "refbooks/choices.h"
#include "refbooks/reference_list.h"

#include <memory>
#include <optional>

namespace refbooks {
class NormsWindow;
class OperationEditor;
class OperationKindsList;
class ProductsList;
}  // namespace refbooks
class QCheckBox;
class QPushButton;
namespace data {
class Dataset;
class SharedData;
}  // namespace data

namespace refbooks {

// The operations and prices list "Операции" over the shared operations query, also the
// operation picker. It also opens an operation's norms and writes the price list to a
// spreadsheet.
class OperationsList : public refbooks::ReferenceList {
    Q_OBJECT
public:
    // The operation editor it opens picks products and kinds from these lists.
    OperationsList(data::SharedData& db, refbooks::ProductsList& products,
                   refbooks::OperationKindsList& kinds, QWidget* parent = nullptr);
    ~OperationsList() override;

    // Shown modally as the picker, on the operation operId (0: the first row); the operation
    // chosen, if any. The query stays open on the chosen row, its search switched off.
    std::optional<refbooks::OperationChoice> pick(int operationId);

    void exportPriceList();  // "Excel": the price list
    void openCurrent();      // a double-click: the norms when "Цены" is ticked, else as Button2

    data::Dataset& priceList() const { return *priceList_; }
    // The workbook "Excel" saved last; empty before.
    QString lastSavedWorkbook() const { return workbook_.lastSavedPath(); }

private:
    void addNew() override;
    void changeCurrent() override;
    bool chooseCurrent() override;
    void removeCurrent() override;
    QString filterFor(const QString& typed) const override;
    void openForPicker() override;
    void leavePicker() override;
    void rowDoubleClicked() override { openCurrent(); }

    void openNorms();

    data::SharedData& db_;
    std::unique_ptr<refbooks::OperationEditor> editor_;
    std::unique_ptr<refbooks::NormsWindow> norms_;
    std::optional<refbooks::OperationChoice> choice_;
    int pickFrom_ = 0;  // the operation the picker opens on

    QPushButton* excelButton_;
    QCheckBox* pricesCheck_;  // "Цены": a double-click opens the norms

    data::Dataset* priceList_;                             // the price list query
    SpreadsheetBridge workbook_{QStringLiteral("Отчет")};  // the price list's
};

}  // namespace refbooks
