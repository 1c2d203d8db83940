#include "reports/report_window.h"

#include "ui/error_display.h"
#include "ui/modal.h"

#include <QDateEdit>
#include <QFont>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TForm18* Form18 = nullptr;

namespace {
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QDateEdit* makeDatePicker(QWidget* parent, const char* name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return d;
}
}  // namespace

TForm18::TForm18(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Отчеты"));

    QFont bold = font();
    bold.setBold(true);

    RadioGroup1 = new QGroupBox(QStringLiteral("Вид продукции"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setFont(bold);
    auto* kinds = new QVBoxLayout(RadioGroup1);
    const QString captions[3] = {QStringLiteral("Все"), QStringLiteral("Готовая продукция"),
                                 QStringLiteral("Заготовки")};
    for (int i = 0; i < 3; ++i) {
        RadioGroup1Items[i] = new QRadioButton(captions[i], RadioGroup1);
        RadioGroup1Items[i]->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        RadioGroup1Items[i]->setFont(font());
        kinds->addWidget(RadioGroup1Items[i]);
    }
    RadioGroup1Items[0]->setChecked(true);

    GroupBox1 = new QGroupBox(QStringLiteral("Период отбора"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFont(bold);
    DTPicker1 = makeDatePicker(GroupBox1, "DTPicker1");
    DTPicker2 = makeDatePicker(GroupBox1, "DTPicker2");
    DTPicker1->setFont(font());
    DTPicker2->setFont(font());
    auto* period = new QHBoxLayout(GroupBox1);
    auto* fromLabel = new QLabel(QStringLiteral("с"), GroupBox1);
    auto* toLabel = new QLabel(QStringLiteral("по"), GroupBox1);
    fromLabel->setFont(font());
    toLabel->setFont(font());
    period->addWidget(fromLabel);
    period->addWidget(DTPicker1);
    period->addSpacing(12);
    period->addWidget(toLabel);
    period->addWidget(DTPicker2);
    period->addStretch();

    Button4 = makeButton(this, "Button4", QStringLiteral("Отчет по рабочим"));
    Button2 = makeButton(this, "Button2", QStringLiteral("Отчет по продукции"));
    Button1 = makeButton(this, "Button1", QStringLiteral("Детальный отчет по рабочим"));
    Button3 = makeButton(this, "Button3", QStringLiteral("Детальный отчет по продукции"));
    Button6 = makeButton(this, "Button6", QStringLiteral("Excel (0 из 0)"));
    Button5 = makeButton(this, "Button5", QStringLiteral("Выход"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(GroupBox1);
    for (QPushButton* b : {Button4, Button2, Button1, Button3, Button6})
        layout->addWidget(b);
    layout->addSpacing(8);
    layout->addWidget(Button5);
    setFixedWidth(360);

    connect(Button5, &QPushButton::clicked, this, [this] { reject(); });
}

int TForm18::productKindIndex() const {
    for (int i = 0; i < 3; ++i)
        if (RadioGroup1Items[i]->isChecked())
            return i;
    return 0;
}

void TForm18::setProductKindIndex(int index) {
    if (index >= 0 && index < 3)
        RadioGroup1Items[index]->setChecked(true);
}

void TForm18::ShowWithPeriod(const QDate& from, const QDate& to) {
    DTPicker1->setDate(from);
    DTPicker2->setDate(to);
    ui::showModal(this);
}
