#pragma once

#include "app_windows.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

// The controls tests drive, by what they are; each is found by its objectName, the name UI
// automation knows it by.
namespace testing_support {

// The journal "Табель".
inline QTableView* journalGrid() {
    return control<QTableView>(journalWindow(), "DBGrid2");
}
inline QDateEdit* journalDate() {
    return control<QDateEdit>(journalWindow(), "DateT");
}
inline QCheckBox* dayOffCheck() {
    return control<QCheckBox>(journalWindow(), "CBox1");
}
// "Смена №1" .. "Смена №3", 4 "Переработка".
inline QRadioButton* shiftButton(int shift) {
    const QByteArray name = "RadioButton" + QByteArray::number(shift);
    return control<QRadioButton>(journalWindow(), name.constData());
}
inline QPushButton* journalAddButton() {
    return control<QPushButton>(journalWindow(), "Button1");
}
inline QPushButton* journalDeleteButton() {
    return control<QPushButton>(journalWindow(), "Button3");
}
inline QPushButton* journalRefreshButton() {
    return control<QPushButton>(journalWindow(), "Button8");
}
inline QTimer* versionCheckTimer() {
    return control<QTimer>(journalWindow(), "Timer1");
}
inline QAction* peopleMenuItem() {
    return control<QAction>(journalWindow(), "peopleMenuItem");
}

// The entry editor.
inline QLineEdit* entryWorkerBox() {
    return control<QLineEdit>(entryEditor(), "Edit1");
}
inline QLineEdit* entryOperationBox() {
    return control<QLineEdit>(entryEditor(), "Edit2");
}
inline QLineEdit* entryQuantityBox() {
    return control<QLineEdit>(entryEditor(), "Edit3");
}
inline QLineEdit* entryDefectsBox() {
    return control<QLineEdit>(entryEditor(), "Edit4");
}
inline QLineEdit* entryColourBox() {
    return control<QLineEdit>(entryEditor(), "Edit5");
}
inline QLineEdit* entryHoursBox() {
    return control<QLineEdit>(entryEditor(), "Edit6");
}
inline QLineEdit* entryFinalPriceBox() {
    return control<QLineEdit>(entryEditor(), "Edit7");
}
inline QLineEdit* entryBasePriceBox() {
    return control<QLineEdit>(entryEditor(), "Edit8");
}
inline QLineEdit* entrySumBox() {
    return control<QLineEdit>(entryEditor(), "Edit9");
}
inline QDateEdit* entryDate() {
    return control<QDateEdit>(entryEditor(), "DTimeP");
}
// "Запись".
inline QPushButton* entrySaveButton() {
    return control<QPushButton>(entryEditor(), "Button1");
}
inline QPushButton* entryWorkerPicker() {
    return control<QPushButton>(entryEditor(), "Button3");
}
inline QPushButton* entryOperationPicker() {
    return control<QPushButton>(entryEditor(), "Button4");
}

// A reference list (workers, products, operation kinds, operations): the parts of their base.
inline QLineEdit* searchBoxOf(const QWidget& list) {
    return control<QLineEdit>(list, "Edit1");
}
inline QTableView* gridOf(const QWidget& list) {
    return control<QTableView>(list, "DBGrid1");
}
inline QPushButton* addButtonOf(const QWidget& list) {
    return control<QPushButton>(list, "Button1");
}
// "Изменить" in a reference book, "Выбрать" in a picker.
inline QPushButton* changeButtonOf(const QWidget& list) {
    return control<QPushButton>(list, "Button2");
}
inline QPushButton* deleteButtonOf(const QWidget& list) {
    return control<QPushButton>(list, "Button3");
}
inline QCheckBox* pricesCheck() {
    return control<QCheckBox>(operationsList(), "CheckBox1");
}

// The reference books' editors and the norms.
inline QLineEdit* workerNameBox() {
    return control<QLineEdit>(workerEditor(), "Edit1");
}
inline QComboBox* workerDepartmentList() {
    return control<QComboBox>(workerEditor(), "LCB_department");
}
inline QComboBox* workerRoleList() {
    return control<QComboBox>(workerEditor(), "LCB_roles");
}
inline QLineEdit* productMarkBox() {
    return control<QLineEdit>(productEditor(), "Edit1");
}
inline QLineEdit* productQuantityBox() {
    return control<QLineEdit>(productEditor(), "Edit2");
}
inline QLineEdit* operationProductBox() {
    return control<QLineEdit>(operationEditor(), "Edit1");
}
inline QLineEdit* operationKindBox() {
    return control<QLineEdit>(operationEditor(), "Edit2");
}
// "Готовая продукция" or "Заготовки".
inline QComboBox* operationProductKindList() {
    return control<QComboBox>(operationEditor(), "ComboBox1");
}
inline QLineEdit* kindNameBox() {
    return control<QLineEdit>(kindEditor(), "Edit1");
}
inline QTableView* normsGrid() {
    return control<QTableView>(normsWindow(), "DBGrid1");
}
inline QPushButton* normsDeleteButton() {
    return control<QPushButton>(normsWindow(), "Button2");
}

// The timesheet.
inline QPushButton* rebuildButton() {
    return control<QPushButton>(timesheetWindow(), "Button1");
}
inline QPushButton* timesheetExcelButton() {
    return control<QPushButton>(timesheetWindow(), "Button2");
}
inline QPushButton* timesheetRefreshButton() {
    return control<QPushButton>(timesheetWindow(), "Button5");
}
inline QProgressBar* rebuildProgress() {
    return control<QProgressBar>(timesheetWindow(), "PB");
}
inline QComboBox* timesheetMonthList() {
    return control<QComboBox>(timesheetWindow(), "ComboBox1");
}
inline QComboBox* timesheetYearList() {
    return control<QComboBox>(timesheetWindow(), "ComboBox2");
}
inline QPushButton* closeMonthButton() {
    return control<QPushButton>(timesheetWindow(), "closeMonthButton");
}
inline QPushButton* reopenMonthButton() {
    return control<QPushButton>(timesheetWindow(), "reopenMonthButton");
}
inline QLabel* monthStateLabel() {
    return control<QLabel>(timesheetWindow(), "monthStateLabel");
}

// The login window, the reports, the password.
inline QLineEdit* loginWordBox() {
    return control<QLineEdit>(loginDialog(), "Edit1");
}
inline QLineEdit* loginUserBox() {
    return control<QLineEdit>(loginDialog(), "userEdit");
}
inline QTimer* loginExitTimer() {
    return control<QTimer>(loginDialog(), "Timer1");
}
inline QPushButton* summaryButton() {
    return control<QPushButton>(reportWindow(), "Button6");
}
inline QPushButton* changePasswordButton() {
    return control<QPushButton>(passwordDialog(), "changePasswordButton");
}

}  // namespace testing_support
