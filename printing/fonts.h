#pragma once

#include "printing/report_layout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <memory>
#include <vector>

namespace printing {

// The Qt font of a layout font (fallbacks installed first).
QFont toQFont(const Font& font);

// Text sizes in millimetres, measured at printer resolution so that they do not depend on the
// screen. Metrics are kept per font.
class TextMeasure {
public:
    TextMeasure();
    double widthMm(const Font& font, const QString& text);
    // Height of the text broken into lines no wider than widthMm.
    double wrappedHeightMm(const Font& font, const QString& text, double widthMm);
    // The text cut at its end, with "…", so that it is no wider than widthMm.
    QString elided(const Font& font, const QString& text, double widthMm);

private:
    QFontMetricsF& metrics(const Font& font);

    QImage device_;
    struct Entry {
        Font font;
        std::unique_ptr<QFontMetricsF> metrics;
    };
    std::vector<Entry> cache_;
};

}  // namespace printing
