#include "render/QtTextMeasurer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

namespace qv {

namespace {
QFont toQFont(const FontSpec& spec)
{
    QFont font(QString::fromStdString(spec.family));
    font.setPointSizeF(spec.pointSize);
    font.setBold(spec.bold);
    return font;
}

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

double QtTextMeasurer::textWidth(std::string_view text, const FontSpec& font) const
{
    const QFontMetricsF metrics(toQFont(font));
    // Metrics come at 72 points per inch on the screen's logical resolution.
    return metrics.horizontalAdvance(toQString(text)) * 1440.0 / m_dpi;
}

double QtTextMeasurer::textHeight(std::string_view text, const FontSpec& font) const
{
    const QFontMetricsF metrics(toQFont(font));
    const auto lines = toQString(text).count(QLatin1Char('\r')) + 1;
    return metrics.height() * static_cast<double>(lines) * 1440.0 / m_dpi;
}

} // namespace qv
