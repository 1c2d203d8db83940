#pragma once

#include "ui/window.h"

class TForm4 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Opened from the journal's main menu (Tag 0), shown modally; Oper is closed after.
    void ShowAsReferenceBook();
    // The entry editor's operation picker: Tag 1, Oper opened and positioned on the operation
    // operId (0: the first row), shown modally; a choice is written into the entry editor.
    void ShowAsPicker(int operId);
};

extern TForm4* Form4;
