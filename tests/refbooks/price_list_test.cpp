#include "../support/xlsx_readback.h"
#include "operations_test_support.h"

#include "data/dataset.h"
#include "export/spreadsheet_bridge.h"
#include "refbooks/operations_list.h"

#include <QLineEdit>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using namespace operations_test;
using testdb::AppTest;

TEST_F(AppTest, PriceListHasEveryOperationWithProductAndKindInQueryOrder) {
    const int b = product("Б-7"), a = product("А-1");
    const int cut = kind("резка"), bend = kind("гибка");
    norm(operation(b, cut, 0, 12.5), 1, 99);  // the list price is cena_new, not the norm
    operation(a, cut, 1, 3);                  // no norms: still listed
    operation(a, cut, 0, 0.25);
    operation(a, bend, 0, 1000);
    operation(123456, cut, 0, 5);  // no such product: left out

    MessageLog log;
    ModalScript modal;
    modal.on(&operationsList(), [] {
        searchBoxOf(operationsList())->setVisible(true);
        searchBoxOf(operationsList())->setText("Б");  // the search does not narrow the price list
        operationsList().exportPriceList();
        searchBoxOf(operationsList())->clear();
        return int(QDialog::Rejected);
    });
    operationsList().showAsReferenceBook();
    EXPECT_EQ(log.count(), 0) << log.texts().join("|").toStdString();
    EXPECT_FALSE(operationsList().priceList().isOpen());

    const auto sheet = xlsx_readback::readSheet(operationsList().lastSavedWorkbook());
    const QVariantList expected[] = {
        {"Марка", "Операция", "Цена", "Вид"},        {"А-1", "гибка", 1000.0, "Готовая продукция"},
        {"А-1", "резка", 0.25, "Готовая продукция"}, {"А-1", "резка", 3.0, "Заготовки"},
        {"Б-7", "резка", 12.5, "Готовая продукция"},
    };
    EXPECT_EQ(sheet.maxRow(), 5);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(sheet.cell(r + 1, c + 1).value, expected[r][c]) << "row " << r + 1;
}

}  // namespace
