#pragma once

#include "data/row_check.h"
#include "refbooks/choices.h"
#include "ui/window.h"

#include <QDate>
#include <functional>
#include <optional>

namespace refbooks {
class OperationsList;
class WorkersList;
}  // namespace refbooks
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace entry {
struct EntryValues;
}  // namespace entry
namespace data {
class Dataset;
class SharedData;
}  // namespace data

// What the entry editor asks its journal for whenever it needs it: the current journal query,
// the date and shift shown and whether "Выходной" is ticked (a day off doubles the price of a
// chosen operation); the editor shows itself centred over window.
struct JournalContext {
    const QWidget* window = nullptr;
    data::Dataset* journal = nullptr;
    QDate date;
    int shift = 1;
    bool dayOff = false;
};

namespace entry {

// The entry editor: creates a journal entry or changes the journal's current one.
class EntryEditor : public ui::Window {
    Q_OBJECT
public:
    enum class Mode { Adding, Changing };

    // The worker and operation come from these pickers; journal tells the journal's state.
    EntryEditor(data::SharedData& db, refbooks::WorkersList& workers,
                refbooks::OperationsList& operations, std::function<JournalContext()> journal,
                QWidget* parent = nullptr);

    // "Добавить" and "Изменить" of the journal window, on its current journal.
    void prepareAdd();
    void prepareChange();

    // The ids and price the save writes, as the pickers (or the changed entry) gave them.
    struct Chosen {
        int workerId = 0;
        int operationId = 0;
        int productId = 0;
        double price = 0;
    };
    const Chosen& chosen() const { return chosen_; }
    void setChosen(const Chosen& chosen) { chosen_ = chosen; }

    // A chosen worker or operation fills its box; the operation's price follows the journal's
    // day-off flag and shift.
    void takeWorker(const refbooks::WorkerChoice& worker);
    void takeOperation(const refbooks::OperationChoice& operation);

    void save();           // "Запись"
    void pickWorker();     // "..." beside the worker
    void pickOperation();  // "..." beside the operation
    void refreshPrices();  // leaving the quantity or time box
    void windowActivated() override;

    // Set by prepareAdd and prepareChange (and by tests that fill the boxes themselves).
    Mode mode() const { return mode_; }
    void setMode(Mode mode) { mode_ = mode; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Writes the change of the entry id over the entry as loaded; changed elsewhere, the stored
    // entry becomes the one loaded.
    data::Verdict saveChange(const entry::EntryValues& values, qint64 id);
    // The boxes as an entry of entry::shownEntry, and the fields of a refused change that now
    // show the stored entry (refbooks::mergeRefused).
    data::RowSnapshot shownBoxes() const;
    void showStored(const QStringList& fields, const data::RowSnapshot& stored);
    // The boxes as the save writes them; nothing when they are refused (the refusal shown).
    std::optional<entry::EntryValues> valuesToSave();
    void buildControls();
    void layOutControls();
    void settleColourBox();
    void showCentred();

    data::SharedData& db_;
    refbooks::WorkersList& workers_;
    refbooks::OperationsList& operations_;
    std::function<JournalContext()> journal_;
    Chosen chosen_;
    Mode mode_ = Mode::Adding;
    data::RowSnapshot loaded_;  // the changed entry as loaded (or as last refused)
    qint64 changedId_ = 0;      // the changed entry's id
    int changedShift_ = 1;      // the changed entry's shift, as loaded or as stored since

    QGroupBox* group_;
    QLineEdit* workerEdit_;  // the chosen worker's name
    QPushButton* workerButton_;
    QLineEdit* operationEdit_;  // the chosen operation's text
    QPushButton* operationButton_;
    QLineEdit* quantityEdit_;  // "Кол-во"
    QLineEdit* hoursEdit_;     // "Время"
    QLabel* colourLabel_;
    QLineEdit* colourEdit_;  // "Цвет", paint operations only
    QDateEdit* datePicker_;
    QDate loadedDate_;        // the changed entry's date as loaded: a move out of it is checked too
    QLineEdit* defectsEdit_;  // "Брак"
    QLineEdit* basePriceEdit_;   // "Цена база"
    QLineEdit* finalPriceEdit_;  // "Цена итог"
    QLineEdit* sumEdit_;         // "Сумма"
    QPushButton* saveButton_;
};

}  // namespace entry
