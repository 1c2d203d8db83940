#include "printing/fonts.h"

#include <mutex>

namespace printing {

namespace {
constexpr int kDpi = 1200;
constexpr double kMmPerDot = 25.4 / kDpi;

// Font substitutions for the faces the layouts name and the workstation may lack; installed once,
// before the first font is made for measuring or painting.
void installFontFallbacks() {
    static std::once_flag once;
    std::call_once(once, [] {
        // Liberation Sans has Arial's metrics; the MS faces are narrow sans faces of the same
        // build, so texts laid out for them fit their boxes in it too.
        const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                               QStringLiteral("DejaVu Sans")};
        for (const char* face : {"Arial", "MS Sans Serif", "Microsoft Sans Serif"})
            QFont::insertSubstitutions(QString::fromLatin1(face), sans);
    });
}

}  // namespace

QFont toQFont(const Font& font) {
    installFontFallbacks();
    QFont f(font.family);
    f.setPointSizeF(font.pointSize);
    f.setBold(font.bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

TextMeasure::TextMeasure() : device_(1, 1, QImage::Format_RGB32) {
    const int dotsPerMeter = qRound(kDpi / 0.0254);
    device_.setDotsPerMeterX(dotsPerMeter);
    device_.setDotsPerMeterY(dotsPerMeter);
}

QFontMetricsF& TextMeasure::metrics(const Font& font) {
    for (Entry& e : cache_)
        if (e.font.pointSize == font.pointSize && e.font.bold == font.bold &&
            e.font.family == font.family)
            return *e.metrics;
    cache_.push_back({font, std::make_unique<QFontMetricsF>(toQFont(font), &device_)});
    return *cache_.back().metrics;
}

double TextMeasure::widthMm(const Font& font, const QString& text) {
    return metrics(font).horizontalAdvance(text) * kMmPerDot;
}

double TextMeasure::wrappedHeightMm(const Font& font, const QString& text, double widthMm) {
    const QRectF r =
        metrics(font).boundingRect(QRectF(0, 0, widthMm / kMmPerDot, 1e9), Qt::TextWordWrap, text);
    return r.height() * kMmPerDot;
}

QString TextMeasure::elided(const Font& font, const QString& text, double widthMm) {
    return metrics(font).elidedText(text, Qt::ElideRight, widthMm / kMmPerDot);
}

}  // namespace printing
