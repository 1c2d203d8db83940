#include "app/startup.h"
#include "ui/error_display.h"

int main(int argc, char** argv) {
    ui::Application app(argc, argv);
    if (!startApplication(app.arguments()))
        return 1;
    return app.exec();
}
