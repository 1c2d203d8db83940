#pragma once

#include "ui/window.h"

class QLineEdit;
class QPushButton;

// The product editor: adds (Tag 1) a product as a goods row, or changes (Tag 2) the goods row of
// the current product of Izdel.
class TForm7 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    void FormActivate() override;
    void Button1Click();  // "Записать"

    QLineEdit* Edit1;  // mark
    QLineEdit* Edit2;  // quantity (massa)
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TForm7* Form7;
