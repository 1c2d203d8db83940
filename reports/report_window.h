#pragma once

#include "ui/window.h"

#include <QDate>

class QDateEdit;
class QGroupBox;
class QPushButton;
class QRadioButton;

// The report period window "Отчеты": product kind, period, the four reports and the production
// summary export.
class TForm18 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);

    QGroupBox* RadioGroup1;             // "Вид продукции"
    QRadioButton* RadioGroup1Items[3];  // "Все", "Готовая продукция", "Заготовки"
    QGroupBox* GroupBox1;               // "Период отбора"
    QDateEdit* DTPicker1;               // from-date, label "с"
    QDateEdit* DTPicker2;               // to-date, label "по"
    QPushButton* Button4;               // "Отчет по рабочим"
    QPushButton* Button2;               // "Отчет по продукции"
    QPushButton* Button1;               // "Детальный отчет по рабочим"
    QPushButton* Button3;               // "Детальный отчет по продукции"
    QPushButton* Button6;               // production summary export, "Excel (0 из 0)"
    QPushButton* Button5;               // "Выход"

    // Index of the chosen item of RadioGroup1 (0 "Все", 1 "Готовая продукция", 2 "Заготовки").
    int productKindIndex() const;
    void setProductKindIndex(int index);

    // The journal's "Сводные отчеты": the period set, then shown modally.
    void ShowWithPeriod(const QDate& from, const QDate& to);
};

extern TForm18* Form18;
