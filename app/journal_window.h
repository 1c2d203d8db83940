#pragma once

#include "ui/window.h"

#include <QStringList>

class QCheckBox;
class QDateEdit;
namespace data {
class Dataset;
}

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

    QDateEdit* DateT;  // the journal date
    QCheckBox* CBox1;  // "Выходной": the operation picker doubles the price while it is ticked

    // Makes the journal query of CurrentShift the current journal query and returns it.
    data::Dataset* selectCurrentJournal();
    // The journal query last chosen by adding, changing or accepting an entry.
    data::Dataset* currentJournal() const;

private:
    void FormCreate(const QStringList& args);

    bool connected_ = false;
    data::Dataset* currentJournal_ = nullptr;
};

extern TForm1* Form1;
