#include "timesheet/timesheet_window.h"

#include "data/data_module.h"
#include "data/server_features.h"
#include "timesheet/month_closing.h"
#include "ui/dialogs.h"
#include "ui/text_prompt.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

// The chosen month's state beside the lists, and its closing and reopening by the administrator.

void timesheet::TimesheetWindow::showMonthState() {
    using namespace timesheet::closing_text;
    const bool chosen = yearList_->currentIndex() >= 0;
    if (!data::closedMonthsAvailable()) {
        // Every month is open there; closing says how to upgrade.
        monthStateLabel_->setText(stateNotUpgraded());
        closeMonthButton_->setEnabled(chosen);
        reopenMonthButton_->setEnabled(false);
        return;
    }
    const bool closed = chosen && timesheet::monthClosed(db_, chosenMonth(), chosenYear().toInt());
    monthStateLabel_->setText(chosen ? state(closed) : QString());
    closeMonthButton_->setEnabled(chosen && !closed);
    reopenMonthButton_->setEnabled(chosen && closed);
}

bool timesheet::TimesheetWindow::closingAvailable() {
    if (data::closedMonthsAvailable())
        return yearList_->currentIndex() >= 0;
    ui::showMessage({timesheet::closing_text::upgradeFirst(),
                     QString::fromUtf8(timesheet::closing_text::kCaption), ui::Icon::Information,
                     ui::Buttons::Ok});
    return false;
}

void timesheet::TimesheetWindow::closeChosenMonth() {
    using namespace timesheet::closing_text;
    if (!closingAvailable())
        return;
    const int month = chosenMonth();
    const int year = chosenYear().toInt();
    auto tell = [](const QString& text) {
        ui::showMessage(
            {text, QString::fromUtf8(kCaption), ui::Icon::Information, ui::Buttons::Ok});
    };
    auto ask = [](const QString& text) {
        return ui::showMessage({text, QString::fromUtf8(kCaption), ui::Icon::Question,
                                ui::Buttons::YesNo}) == ui::Answer::Yes;
    };
    const qint64 unaccepted = timesheet::unacceptedEntries(db_, month, chosenYear());
    if (!ask(closeQuestion(month, year, unaccepted)))
        return;
    // The timesheet is admin-only (the journal's menu), so whoever closes here is the
    // administrator.
    const QString role = QStringLiteral("Administrator");
    const QString workstation = timesheet::workstationName();
    timesheet::CloseVerdict verdict =
        timesheet::closeMonth(db_, month, chosenYear(), role, workstation, false);
    if (verdict.kind == timesheet::CloseVerdict::Kind::TimesheetDiffers) {
        if (!ask(rebuildQuestion(month, year, verdict.differingCells)))
            return;
        verdict = timesheet::closeMonth(db_, month, chosenYear(), role, workstation, true);
    }
    showMonthState();
    tell(verdict.kind == timesheet::CloseVerdict::Kind::AlreadyClosed ? alreadyClosed(month, year)
                                                                      : closed(month, year));
}

void timesheet::TimesheetWindow::reopenChosenMonth() {
    using namespace timesheet::closing_text;
    if (!closingAvailable())
        return;
    const int month = chosenMonth();
    const int year = chosenYear().toInt();
    const QString caption = QString::fromUtf8(kReopenCaption);
    if (ui::showMessage({reopenQuestion(month, year), caption, ui::Icon::Question,
                         ui::Buttons::YesNo}) != ui::Answer::Yes)
        return;
    QString reason;
    if (timesheet::reopeningKeepsReason()) {
        const std::optional<QString> given =
            ui::askText({QStringLiteral("reopenReasonWindow"), caption, reasonPrompt(month, year)});
        if (!given)
            return;
        reason = *given;
    }
    const bool reopened = timesheet::reopenMonth(db_, month, chosenYear(), reason);
    showMonthState();
    ui::showMessage(
        {reopened ? timesheet::closing_text::reopened(month, year) : notClosed(month, year),
         caption, ui::Icon::Information, ui::Buttons::Ok});
}
