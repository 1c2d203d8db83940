#pragma once

#include "ui/window.h"

class QLineEdit;
class QPushButton;
class QTableView;

// The products list over the data module's Izdel query: a reference book (Tag 0) or the product
// picker of the operation editor (Tag 1). A row is changed or chosen by a double-click.
class TForm3 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // Opened from the journal's main menu (Tag 0) and shown modally; the query is closed after.
    void ShowAsReferenceBook();
    // Opened by an editor's "..." button (Tag 1); a choice is written into that editor.
    void ShowAsPicker();

    void FormActivate() override;
    void Button1Click();  // "Добавить"
    void Button3Click();  // "Удалить"
    void DBGrid1DblClick();
    void Edit1Change();

    QTableView* DBGrid1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;  // never shown
    QPushButton* Button3;
    QPushButton* Button4;

private:
    void changeProduct();
    void chooseProduct();
};

extern TForm3* Form3;
