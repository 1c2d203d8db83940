#include "app/startup.h"

#include "app/journal_window.h"
#include "app/login_window.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "refbooks/norms_window.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operation_kind_editor.h"
#include "refbooks/operation_kinds_list.h"
#include "refbooks/operations_list.h"
#include "refbooks/product_editor.h"
#include "refbooks/products_list.h"
#include "refbooks/worker_editor.h"
#include "refbooks/workers_list.h"
#include "reports/detailed_products_layout.h"
#include "reports/detailed_workers_layout.h"
#include "reports/products_report_layout.h"
#include "reports/report_window.h"
#include "reports/workers_report_layout.h"
#include "timesheet/timesheet_print_layout.h"
#include "timesheet/timesheet_window.h"
#include "ui/error_display.h"
#include "ui/message_box.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

void loadTranslations() {
    static QTranslator* qtbase = nullptr;
    if (qtbase)
        return;
    qtbase = new QTranslator(qApp);
    // Qt's own buttons and dialogs ("Да", "Нет", the print preview) speak Russian.
    if (qtbase->load(QStringLiteral("qtbase_ru"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtbase);
}

template <typename T>
void destroy(T*& form) {
    delete form;
    form = nullptr;
}

// Start-up proper: the windows in their order.
bool createWindows(const QStringList& args) {
    Form1 = new TForm1(args);
    if (!Form1->connected()) {
        // Nothing is retried: the process ends as soon as it can.
        Form1->close();
        QCoreApplication::exit(1);
        return false;
    }

    // Every window is created once, hidden, in this order, and lives until the process ends.
    Form2 = new TForm2();
    Form3 = new TForm3();
    Form4 = new TForm4();
    Form5 = new TForm5();
    Form7 = new TForm7();
    Form8 = new TForm8();
    Form9 = new TForm9();
    Form10 = new TForm10();
    Form11 = new TForm11();
    Form18 = new TForm18();
    Form19 = new TForm19();
    Form21 = new TForm21();
    Form15 = new TForm15();
    Form16 = new TForm16();
    Form17 = new TForm17();
    Form20 = new TForm20();
    Form22 = new TForm22();
    return true;
}

}  // namespace

bool startApplication(const QStringList& args) {
    loadTranslations();
    ui::installMessageBoxPresenter();
    return runStartUp([&args] { return createWindows(args); });
}

bool runStartUp(const std::function<bool()>& steps) {
    try {
        return steps();
    } catch (...) {
        // The error's own message is shown, then the process ends: no window stays usable.
        ui::showException(std::current_exception());
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        QCoreApplication::exit(1);
        return false;
    }
}

void shutdownApplication() {
    destroy(Form22);
    destroy(Form20);
    destroy(Form17);
    destroy(Form16);
    destroy(Form15);
    destroy(Form21);
    destroy(Form19);
    destroy(Form18);
    destroy(Form11);
    destroy(Form10);
    destroy(Form9);
    destroy(Form8);
    destroy(Form7);
    destroy(Form5);
    destroy(Form4);
    destroy(Form3);
    destroy(Form2);
    destroy(Form23);
    destroy(Form1);
    destroy(DataModule6);
}
