#pragma once

#include "ui/window.h"

class TForm3 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // Opened from the journal's main menu (Tag 0) and shown modally; the query is closed after.
    void ShowAsReferenceBook();
    // Opened by an editor's "..." button (Tag 1); a choice is written into that editor.
    void ShowAsPicker();
};

extern TForm3* Form3;
