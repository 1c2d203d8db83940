#pragma once

#include "ui/window.h"

#include <QStringList>

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

private:
    void FormCreate(const QStringList& args);

    bool connected_ = false;
};

extern TForm1* Form1;
