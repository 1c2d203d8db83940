#include "role_controls.h"

#include "app_windows.h"

#include <QAction>
#include <QMenu>

namespace testing_support {

QStringList disabledControls() {
    QStringList off;
    auto check = [&off](const QString& name, bool enabled) {
        if (!enabled)
            off << name;
    };
    const journal::JournalWindow& j = journalWindow();
    for (const char* name :
         {"Button1", "Button2", "Button3", "Button4", "Button8", "RadioButton1", "RadioButton2",
          "RadioButton3", "RadioButton4", "CBox1", "DBGrid2", "DateT"})
        check(name, control(j, name)->isEnabled());
    check("N2", control<QMenu>(j, "N2")->menuAction()->isEnabled());
    for (const char* name : {"N1", "N3", "N4", "N6", "N11", "N10", "N5"})
        check(name, control<QAction>(j, name)->isEnabled());
    check("N7", control<QMenu>(j, "N7")->menuAction()->isEnabled());
    const reports::ReportWindow& r = reportWindow();
    for (const char* name :
         {"Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "RadioGroup1"})
        check(QStringLiteral("report.") + name, control(r, name)->isEnabled());
    off.sort();
    return off;
}

namespace {
QStringList sorted(QStringList names) {
    names.sort();
    return names;
}
const QStringList kReportsNarrowed{"report.Button1", "report.Button2", "report.Button4",
                                   "report.Button6"};
}  // namespace

QStringList reviewerDisabled() {
    return sorted({"Button1", "Button2", "Button3", "Button8", "RadioButton1", "RadioButton2",
                   "RadioButton3", "RadioButton4", "CBox1", "DateT", "N2", "N11"});
}

QStringList foremanDisabled() {
    return sorted(QStringList{"Button2", "Button3", "N2", "N11"} + kReportsNarrowed);
}

QStringList storekeeperDisabled() {
    return sorted(QStringList{"Button1", "Button2", "Button3", "N2", "N11"} + kReportsNarrowed +
                  QStringList{"report.RadioGroup1"});
}

}  // namespace testing_support
