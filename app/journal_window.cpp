#include "app/journal_window.h"

#include "app/login_window.h"
#include "data/data_module.h"
#include "ui/dialogs.h"

#include <QCheckBox>
#include <QDateEdit>

TForm1* Form1 = nullptr;

TForm1::TForm1(const QStringList& args, QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Табель"));
    DateT = new QDateEdit(this);
    DateT->setObjectName(QStringLiteral("DateT"));
    DateT->setCalendarPopup(true);
    DateT->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    CBox1 = new QCheckBox(QStringLiteral("Выходной"), this);
    CBox1->setObjectName(QStringLiteral("CBox1"));
    FormCreate(args);
}

void TForm1::FormCreate(const QStringList& args) {
    DataModule6 = new TDataModule6();
    try {
        DataModule6->ADO_DB.close();
        DataModule6->ADO_DB.open(data::composeConnectionString(args.value(1), args.value(2)));
        Form23 = new TForm23();
        Form23->show();
        connected_ = true;
    } catch (...) {
        ui::showMessage({QStringLiteral("Подключение к БД отсутсвует!!!"),
                         QStringLiteral("Ошибка!"), ui::Icon::Stop, ui::Buttons::Ok});
        connected_ = false;
    }
}

data::Dataset* TForm1::selectCurrentJournal() {
    currentJournal_ = DataModule6->journalOf(CurrentShift);
    return currentJournal_;
}

data::Dataset* TForm1::currentJournal() const {
    return currentJournal_ ? currentJournal_ : DataModule6->journalOf(CurrentShift);
}
