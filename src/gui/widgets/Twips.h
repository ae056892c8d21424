#pragma once
// Window positions and sizes are kept in twips (1440 per inch) and turned into
// pixels of the screen the window is on.

#include "core/Units.h"
#include "core/plot/ChartGeometry.h"

#include <QGuiApplication>
#include <QRect>
#include <QRectF>
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
            m_geometry = ChartGeometry(TwipsPerInch / screen->logicalDotsPerInchX(),
                                       TwipsPerInch / screen->logicalDotsPerInchY());
        }
    }

    // The screen's twips and pixels as the chart's one transform converts them.
    const ChartGeometry& geometry() const { return m_geometry; }
    double twipsPerPixelX() const { return m_geometry.twipsPerPixelX(); }
    double twipsPerPixelY() const { return m_geometry.twipsPerPixelY(); }

    int toPixelsX(double twips) const
    {
        return static_cast<int>(std::lround(m_geometry.twipsToPixelsX(twips)));
    }
    int toPixelsY(double twips) const
    {
        return static_cast<int>(std::lround(m_geometry.twipsToPixelsY(twips)));
    }
    double toTwipsX(int pixels) const { return m_geometry.pixelsToTwipsX(pixels); }
    double toTwipsY(int pixels) const { return m_geometry.pixelsToTwipsY(pixels); }

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
    ChartGeometry m_geometry;
};

// The room a window may take on a screen of `available` size: less a margin for
// the window frame and the title bar, in pixels.
inline QSize roomForWindow(QSize available)
{
    return available - QSize(40, 80);
}

// Gives a window the `preferred` size in pixels, smaller where its screen has
// less room (what does not fit then scrolls).
inline void fitOnScreen(QWidget& window, QSize preferred)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    window.resize(screen ? preferred.boundedTo(roomForWindow(screen->availableGeometry().size()))
                         : preferred);
}

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
