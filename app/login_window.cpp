#include "app/login_window.h"

#include "app/journal_window.h"
#include "app/termination.h"
#include "app/version_check.h"
#include "data/data_module.h"
#include "reports/report_window.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

TForm23* Form23 = nullptr;

TForm23::TForm23(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form23"));
    setWindowTitle(QStringLiteral("Авторизация"));

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEchoMode(QLineEdit::Password);
    // One '*' per character, whatever mask the widget style would draw.
    Edit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    Button1 = ui::makeButton(this, "Button1", QStringLiteral("Вход"));
    Button1->setDefault(true);
    Button2 = ui::makeButton(this, "Button2", QStringLiteral("Отмена"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(5000);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Edit1);
    layout->addLayout(buttons);
    ui::fixSize(this, QSize(320, sizeHint().height()));

    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, ui::guarded([this] { Button2Click(); }));
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TForm23::FormActivate() {
    VersionCheck();
    const BuildStamp& s = Form1->Stamp;
    setWindowTitle(QStringLiteral("Авторизация (build: %1.%2)").arg(s.date).arg(s.time));
}

void TForm23::Button1Click() {
    Form1->CurrentShift = 1;
    const QString word = Edit1->text().trimmed();
    Form1->LoginWord = word;
    for (int shift = 1; shift <= 4; ++shift)
        DataModule6->journalOf(shift)->setParam(QStringLiteral("ok"), QStringLiteral("ta"));
    const std::optional<UserRole> role = login::roleForWord(word);
    if (!role) {
        ui::showRefusal(QStringLiteral("Введены неверные данные."));
        return;
    }
    applyRole(*role);
    hide();
    ui::showModal(Form1);
    close();
}

void TForm23::Button2Click() {
    close();
}

void TForm23::Timer1Timer() {
    terminateApplication();
}

void applyRole(UserRole role) {
    auto off = [](std::initializer_list<QWidget*> controls) {
        for (QWidget* c : controls)
            c->setEnabled(false);
    };
    auto menusOff = [] {
        Form1->N2->setEnabled(false);
        Form1->N2->menuAction()->setEnabled(false);
        Form1->N11->setEnabled(false);
    };
    switch (role) {
        case UserRole::Reviewer:
            // The grid stays enabled, so its text reads and it scrolls: the grid is read-only
            // and the acceptance toggle refuses the reviewer.
            off({Form1->Button1, Form1->Button2, Form1->Button3, Form1->RadioButton1,
                 Form1->RadioButton2, Form1->RadioButton3, Form1->RadioButton4, Form1->CBox1,
                 Form1->Button8, Form1->DateT});
            menusOff();
            break;
        case UserRole::Foreman:
            off({Form1->Button2, Form1->Button3});
            menusOff();
            off({Form18->Button1, Form18->Button2, Form18->Button4, Form18->Button6});
            break;
        case UserRole::Storekeeper:
            off({Form1->Button1, Form1->Button2, Form1->Button3});
            off({Form18->Button1, Form18->Button2, Form18->Button6, Form18->Button4});
            menusOff();
            Form18->setProductKindIndex(1);
            Form18->RadioGroup1->setEnabled(false);
            break;
        case UserRole::Administrator:
            break;
    }
}
