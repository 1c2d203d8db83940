#pragma once

#include "ui/window.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace data {
class Dataset;
}  // namespace data

// The operations and prices list "Операции" over the data module's Oper query: a reference book
// (Tag 0) or the operation picker of the entry editor (Tag 1). It also opens an operation's norms
// and writes the price list to a spreadsheet.
class TForm4 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Opened from the journal's main menu (Tag 0), shown modally; Oper is closed after.
    void ShowAsReferenceBook();
    // The entry editor's operation picker: Tag 1, Oper opened and positioned on the operation
    // operId (0: the first row), shown modally; a choice is written into the entry editor.
    void ShowAsPicker(int operId);

    void FormActivate() override;
    void Button1Click();  // "Добавить"
    void Button2Click();  // "Изменить" or "Выбрать"
    void Button3Click();  // "Удалить"
    void Button5Click();  // "Excel": the price list
    void DBGrid1DblClick();
    void Edit1Change();

    QTableView* DBGrid1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button5;
    QCheckBox* CheckBox1;  // "Цены": a double-click opens the norms
    QLineEdit* Edit1;      // search by mark
    QPushButton* Button4;  // "Выход"

    data::Dataset* XLS_Rep;  // the price list query

private:
    void changeOperation();
    void chooseOperation();
    void openNorms();
};

extern TForm4* Form4;
