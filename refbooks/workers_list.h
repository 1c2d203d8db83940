#pragma once

#include "ui/window.h"

class QLineEdit;
class QPushButton;
class QTableView;

// The workers list over the data module's Workers query: a reference book (Tag 0) or the
// worker picker of the entry editor (Tag 1).
class TForm5 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

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
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QLineEdit* Edit1;

private:
    void changeWorker();
    void chooseWorker();
};

extern TForm5* Form5;
