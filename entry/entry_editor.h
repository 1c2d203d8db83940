#pragma once

#include "ui/window.h"

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The entry editor: creates a journal entry (Tag 1) or changes the journal's current one (Tag 2).
class TForm11 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    QLineEdit* Edit1;  // the chosen worker's name (the workers picker fills it)
    QPushButton* Button3;
    QLineEdit* Edit2;  // the chosen operation's text (the operations picker fills it)
    QPushButton* Button4;
    QLineEdit* Edit3;  // "Кол-во"
    QLineEdit* Edit6;  // "Время"
    QLabel* Label6;
    QLineEdit* Edit5;  // "Цвет", paint operations only
    QDateEdit* DTimeP;
    QLineEdit* Edit4;      // "Брак"
    QLineEdit* Edit8;      // "Цена база"
    QLineEdit* Edit7;      // "Цена итог"
    QLineEdit* Edit9;      // "Сумма"
    QPushButton* Button1;  // "Запись"
    QPushButton* Button2;  // "Отмена"

    int entry_w_id = 0;
    int entry_o_id = 0;
    int entry_i_id = 0;
    double entry_price = 0;

    // "Добавить" and "Изменить" of the journal window.
    void PrepareAdd();
    void PrepareChange();

    void Button1Click();  // "Запись"
    void Button3Click();  // worker picker
    void Button4Click();  // operation picker
    void Edit6Exit();     // price refresh
    void FormActivate() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void settleColourBox();
    void showCentred();
};

extern TForm11* Form11;
