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

inline JournalWindow& journalWindow() {
    return appWindow<JournalWindow>("Form1");
}
inline WorkerEditor& workerEditor() {
    return appWindow<WorkerEditor>("Form2");
}
inline ProductsList& productsList() {
    return appWindow<ProductsList>("Form3");
}
inline OperationsList& operationsList() {
    return appWindow<OperationsList>("Form4");
}
inline WorkersList& workersList() {
    return appWindow<WorkersList>("Form5");
}
inline ProductEditor& productEditor() {
    return appWindow<ProductEditor>("Form7");
}
inline OperationKindsList& kindsList() {
    return appWindow<OperationKindsList>("Form8");
}
inline OperationKindEditor& kindEditor() {
    return appWindow<OperationKindEditor>("Form9");
}
inline OperationEditor& operationEditor() {
    return appWindow<OperationEditor>("Form10");
}
inline EntryEditor& entryEditor() {
    return appWindow<EntryEditor>("Form11");
}
inline ReportWindow& reportWindow() {
    return appWindow<ReportWindow>("Form18");
}
inline TimesheetWindow& timesheetWindow() {
    return appWindow<TimesheetWindow>("Form19");
}
inline NormsWindow& normsWindow() {
    return appWindow<NormsWindow>("Form22");
}
inline LoginDialog& loginDialog() {
    return appWindow<LoginDialog>("Form23");
}
inline PasswordChangeDialog& passwordDialog() {
    return appWindow<PasswordChangeDialog>("PasswordChangeDialog");
}
inline PeopleWindow& peopleWindow() {
    return appWindow<PeopleWindow>("PeopleWindow");
}
inline PersonEditor& personEditor() {
    return appWindow<PersonEditor>("PersonEditor");
}
inline TimesheetPrintLayout& timesheetPrint() {
    return *control<TimesheetPrintLayout>(timesheetWindow(), "Form15");
}
inline PeriodReport& workersReport() {
    return *control<PeriodReport>(reportWindow(), "Form16");
}
inline PeriodReport& productsReport() {
    return *control<PeriodReport>(reportWindow(), "Form17");
}
inline PeriodReport& detailedWorkersReport() {
    return *control<PeriodReport>(reportWindow(), "Form20");
}
inline PeriodReport& detailedProductsReport() {
    return *control<PeriodReport>(reportWindow(), "Form21");
}

}  // namespace testing_support
