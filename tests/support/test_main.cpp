#include "ui/error_display.h"

#include <gtest/gtest.h>
#include <QLocale>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Tests pin the workstation's locale: Russian, with a decimal comma.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    ui::Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
