#pragma once

#include "ui/window.h"

class QLineEdit;
class QPushButton;

// The operation kind editor: adds (Tag 1) a kind or changes (Tag 2) the current row of Vid_oper,
// posting through that query.
class TForm9 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);

    void FormActivate() override;
    void Button1Click();  // "Записать"

    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;
};

extern TForm9* Form9;
