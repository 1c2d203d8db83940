#pragma once

#include "ui/window.h"

#include <QDate>

class PeriodReport;
class QDateEdit;
class QGroupBox;
namespace data {
class Dataset;
}
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

    // The production summary query of the spreadsheet export.
    data::Dataset* XLS_Rep;

    void Button4Click();  // "Отчет по рабочим"
    void Button2Click();  // "Отчет по продукции"
    void Button1Click();  // "Детальный отчет по рабочим"
    void Button3Click();  // "Детальный отчет по продукции"
    void Button6Click();  // production summary into a workbook

private:
    // Runs a report query over the period and product kind, titles and previews its layout.
    void runReport(PeriodReport& report, const QString& heading);
    // Period parameters and the product kind filter of a report or export query.
    void prepareQuery(data::Dataset& query) const;
};

extern TForm18* Form18;
