#pragma once

#include <QDate>
#include <QWidget>
#include <array>

class QCheckBox;
class QDateEdit;
class QLabel;
class QRadioButton;
namespace data {
class SharedData;
}

namespace journal {

// The journal's top row: the shift ("Смена №1" .. "Смена №3", "Переработка"), the journal date,
// "Выходной" (a chosen operation's price doubles while ticked) and "Месяц закрыт" beside the date
// while its month is closed.
class ShiftDateBar : public QWidget {
    Q_OBJECT
public:
    ShiftDateBar(data::SharedData& db, QWidget* parent);

    QDate date() const;
    void setDate(const QDate& day);
    bool dayOff() const;
    void setDayOff(bool on);
    // Whether the button of shift 1..4 is the one checked.
    bool isChosen(int shift) const;
    // Shift, date and day off can be chosen, or not (the reviewer looks at today's shift 1).
    void setChoosable(bool on);

    void paintShiftButtons();
    void paintDayOff();
    // "Месяц закрыт" while the date's month is closed. Asks the database when the month differs
    // from the one shown, or always with recheck (another workstation may have closed it).
    void showMonthState(bool recheck);
    // The month is asked again at the next showMonthState, whether the date changes or not.
    void forgetMonthState() { stateMonth_ = QDate(); }

signals:
    void shiftClicked(int shift);
    // Enter in the date, or its drop-down calendar closed (the date is set by then: queued).
    void dateChosen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* shiftButton(int shift) const;

    data::SharedData& db_;
    std::array<QRadioButton*, 4> shiftButtons_{};
    QDateEdit* datePicker_;
    QCheckBox* dayOffCheck_;
    QLabel* monthStateLabel_;
    QDate stateMonth_;  // the first day of the month the label shows
};

}  // namespace journal
