#pragma once

#include "app/journal_window.h"
#include "app/login_window.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "people/password_change_dialog.h"
#include "people/people_window.h"
#include "people/person_editor.h"
#include "refbooks/norms_window.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operation_kind_editor.h"
#include "refbooks/operation_kinds_list.h"
#include "refbooks/operations_list.h"
#include "refbooks/product_editor.h"
#include "refbooks/products_list.h"
#include "refbooks/worker_editor.h"
#include "refbooks/workers_list.h"
#include "reports/period_report.h"
#include "reports/report_window.h"
#include "timesheet/timesheet_print_layout.h"
#include "timesheet/timesheet_window.h"

#include <QApplication>
#include <QObject>
#include <QWidget>
#include <stdexcept>

// The running client's windows and controls, found as UI automation finds them: by objectName.
namespace testing_support {

// The top-level window named objectName.
template <class W = QWidget>
W& appWindow(const char* objectName) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(objectName))
            if (auto* found = qobject_cast<W*>(w))
                return *found;
    throw std::runtime_error(std::string("no window ") + objectName);
}

// The child of owner named objectName.
template <class T = QWidget>
T* control(const QObject& owner, const char* objectName) {
    if (auto* found = owner.findChild<T*>(QLatin1String(objectName)))
        return found;
    throw std::runtime_error(std::string("no control ") + objectName + " in " +
                             owner.objectName().toStdString());
}

inline journal::JournalWindow& journalWindow() {
    return appWindow<journal::JournalWindow>("Form1");
}
inline refbooks::WorkerEditor& workerEditor() {
    return appWindow<refbooks::WorkerEditor>("Form2");
}
inline refbooks::ProductsList& productsList() {
    return appWindow<refbooks::ProductsList>("Form3");
}
inline refbooks::OperationsList& operationsList() {
    return appWindow<refbooks::OperationsList>("Form4");
}
inline refbooks::WorkersList& workersList() {
    return appWindow<refbooks::WorkersList>("Form5");
}
inline refbooks::ProductEditor& productEditor() {
    return appWindow<refbooks::ProductEditor>("Form7");
}
inline refbooks::OperationKindsList& kindsList() {
    return appWindow<refbooks::OperationKindsList>("Form8");
}
inline refbooks::OperationKindEditor& kindEditor() {
    return appWindow<refbooks::OperationKindEditor>("Form9");
}
inline refbooks::OperationEditor& operationEditor() {
    return appWindow<refbooks::OperationEditor>("Form10");
}
inline entry::EntryEditor& entryEditor() {
    return appWindow<entry::EntryEditor>("Form11");
}
inline reports::ReportWindow& reportWindow() {
    return appWindow<reports::ReportWindow>("Form18");
}
inline timesheet::TimesheetWindow& timesheetWindow() {
    return appWindow<timesheet::TimesheetWindow>("Form19");
}
inline refbooks::NormsWindow& normsWindow() {
    return appWindow<refbooks::NormsWindow>("Form22");
}
inline login::LoginDialog& loginDialog() {
    return appWindow<login::LoginDialog>("Form23");
}
inline people::PasswordChangeDialog& passwordDialog() {
    return appWindow<people::PasswordChangeDialog>("PasswordChangeDialog");
}
inline people::PeopleWindow& peopleWindow() {
    return appWindow<people::PeopleWindow>("PeopleWindow");
}
inline people::PersonEditor& personEditor() {
    return appWindow<people::PersonEditor>("PersonEditor");
}
inline timesheet::TimesheetPrintLayout& timesheetPrint() {
    return *control<timesheet::TimesheetPrintLayout>(timesheetWindow(), "Form15");
}
inline reports::PeriodReport& workersReport() {
    return *control<reports::PeriodReport>(reportWindow(), "Form16");
}
inline reports::PeriodReport& productsReport() {
    return *control<reports::PeriodReport>(reportWindow(), "Form17");
}
inline reports::PeriodReport& detailedWorkersReport() {
    return *control<reports::PeriodReport>(reportWindow(), "Form20");
}
inline reports::PeriodReport& detailedProductsReport() {
    return *control<reports::PeriodReport>(reportWindow(), "Form21");
}

}  // namespace testing_support
