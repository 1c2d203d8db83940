#pragma once

#include "app/build_stamp.h"
#include "data/command.h"
#include "ui/window.h"

#include <QStringList>

class QCheckBox;
class QDateEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTableView;
class QTimer;
namespace data {
class Dataset;
class DatasetModel;
}  // namespace data

// The shift journal window "Табель": the working window of the system. Created first at start-up;
// its creation creates the data module, connects and creates the login window.
class TForm1 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm1(const QStringList& args, QWidget* parent = nullptr);

    // False when the connection or the login window could not be made; the process then ends.
    bool connected() const { return connected_; }

    int CurrentShift = 1;
    QString LoginWord;
    BuildStamp Stamp;  // of the last version check

    QRadioButton* RadioButton1;  // "Смена №1"
    QRadioButton* RadioButton2;  // "Смена №2"
    QRadioButton* RadioButton3;  // "Смена №3"
    QRadioButton* RadioButton4;  // "Переработка"
    QDateEdit* DateT;            // the journal date
    QCheckBox* CBox1;  // "Выходной": the operation picker doubles the price while it is ticked
    QTableView* DBGrid2;
    QPushButton* Button1;  // "Добавить"
    QPushButton* Button2;  // "Изменить"
    QPushButton* Button3;  // "Удалить"
    QPushButton* Button8;  // "Обновить"
    QPushButton* Button4;  // "Выход"
    QTimer* Timer1;        // version check every 30 s

    // The data links of the four journals Smena1..Smena4; the grid shows one of them.
    data::DatasetModel* DataSource1;
    data::DatasetModel* DataSource2;
    data::DatasetModel* DataSource3;
    data::DatasetModel* DataSource4;

    QMenuBar* MainMenu1;
    QMenu* N2;     // "Справочники"
    QAction* N1;   // "Рабочие"
    QAction* N3;   // "Изделия"
    QAction* N4;   // "Цены"
    QAction* N6;   // "Операции"
    QAction* N8;   // "Внеурочное"
    QAction* N11;  // "Табель по времени"
    QMenu* N7;     // "Отчеты"
    QAction* N10;  // "Сводные отчеты"
    QAction* N5;   // "Выход"

    data::Command updtOK;  // the acceptance mark of one entry

    // Makes the journal query of CurrentShift the current journal query and returns it.
    data::Dataset* selectCurrentJournal();
    // The journal query last chosen by adding, changing or accepting an entry.
    data::Dataset* currentJournal() const;
    // The data link of a shift's journal (DataSource1 for any shift but 2..4).
    data::DatasetModel* dataSourceOf(int shift) const;

    // Today's journals: the date set to today, a weekend ticks "Выходной", the four reloaded.
    void FormActivate() override;

    void DateTChange();                // a date was chosen in the picker
    void RadioButtonClick(int shift);  // 1..4
    void CBox1Click();                 // colours of "Выходной"
    void Button1Click();               // "Добавить"
    void Button2Click();               // "Изменить"
    void Button3Click();               // "Удалить"
    void Button8Click();               // "Обновить"
    void Button4Click();               // "Выход"
    void DBGrid2DblClick();            // acceptance toggle
    void N1Click();
    void N3Click();
    void N4Click();
    void N6Click();
    void N11Click();
    void N10Click();
    void Timer1Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QStringList& args);
    void buildControls();
    void buildMenu();
    void reloadJournals(const QDate& day);
    void paintShiftButtons();

    bool connected_ = false;
    data::Dataset* currentJournal_ = nullptr;
};

extern TForm1* Form1;
