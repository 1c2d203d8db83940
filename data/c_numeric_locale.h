#pragma once

#include <clocale>

namespace data {

// Numbers the client exchanges with other programs (the ODBC driver's texts of prices and
// quantities, the XML inside a workbook) are written and read by the C library with a decimal
// point whatever the workstation's locale; the screen takes its decimal comma from QLocale, which
// does not depend on the C library's setting.

// Sets the process's numeric C locale to "C" (Qt sets every category from the environment when
// the application object is made). Call it right after making the application object.
void pinClassicNumericLocale();

// Formats and parses with the "C" numeric locale on this thread while it lives, whatever the
// process's setting: for libraries that print numbers with the C library (libxlsxwriter).
class ClassicNumericScope {
public:
    ClassicNumericScope();
    ~ClassicNumericScope();
    ClassicNumericScope(const ClassicNumericScope&) = delete;
    ClassicNumericScope& operator=(const ClassicNumericScope&) = delete;

private:
    locale_t classic_;
    locale_t previous_;
};

}  // namespace data
