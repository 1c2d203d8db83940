#pragma once

#include "ui/window.h"

class QLineEdit;
class QPushButton;
class QTableView;

// The operation kinds list over the data module's Vid_oper query: a reference book (Tag 0) or
// the kind picker of the operation editor (Tag 1).
class TForm8 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

    // Opened from the journal's main menu (Tag 0) and shown modally; the query is closed after.
    void ShowAsReferenceBook();
    // Opened by an editor's "..." button (Tag 1); a choice is written into that editor.
    void ShowAsPicker();

    void FormActivate() override;
    void Button1Click();  // "Добавить"
    void Button2Click();  // "Изменить" or "Выбрать"
    void Button3Click();  // "Удалить"
    void DBGrid1DblClick();
    void Edit1Change();

    QTableView* DBGrid1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;

private:
    void changeKind();
    void chooseKind();
};

extern TForm8* Form8;
