#pragma once
// Window positions and sizes are kept in twips (1440 per inch) and turned into
// pixels of the screen the window is on.

#include "core/Units.h"

#include <QRect>
#include <QRectF>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace qv {

class TwipScale
{
public:
    TwipScale() = default;
    explicit TwipScale(const QScreen* screen)
    {
        if (screen) {
            m_perPixelX = TwipsPerInch / screen->logicalDotsPerInchX();
            m_perPixelY = TwipsPerInch / screen->logicalDotsPerInchY();
        }
    }

    double twipsPerPixelX() const { return m_perPixelX; }
    double twipsPerPixelY() const { return m_perPixelY; }

    int toPixelsX(double twips) const { return static_cast<int>(std::lround(twips / m_perPixelX)); }
    int toPixelsY(double twips) const { return static_cast<int>(std::lround(twips / m_perPixelY)); }
    double toTwipsX(int pixels) const { return pixels * m_perPixelX; }
    double toTwipsY(int pixels) const { return pixels * m_perPixelY; }

    QRect toPixels(const QRectF& twips) const
    {
        return {toPixelsX(twips.left()), toPixelsY(twips.top()), toPixelsX(twips.width()),
                toPixelsY(twips.height())};
    }
    QRectF toTwips(const QRect& pixels) const
    {
        return {toTwipsX(pixels.left()), toTwipsY(pixels.top()), toTwipsX(pixels.width()),
                toTwipsY(pixels.height())};
    }

    // The screen's size in twips.
    static QSizeF screenTwips(const QScreen* screen)
    {
        if (!screen) {
            return {800 * TwipsPerScreenPixel, 600 * TwipsPerScreenPixel};
        }
        const TwipScale scale(screen);
        const QSize size = screen->geometry().size();
        return {scale.toTwipsX(size.width()), scale.toTwipsY(size.height())};
    }

private:
    double m_perPixelX = TwipsPerScreenPixel;
    double m_perPixelY = TwipsPerScreenPixel;
};

// Centres a window or dialog on its screen (the primary screen when it has none yet).
inline void centreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace qv
