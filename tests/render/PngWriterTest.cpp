// The PNG writer: pictures that read back to exactly their pixels and
// resolution, and failures when the bytes cannot be written.
#include "render/PngWriter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

namespace qv {
namespace {

// A chart-like picture: white, a black frame and a line of text smoothed in grays.
QImage grayChart(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawRect(10, 10, width - 21, height - 21);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawText(QPointF(20, 40), QStringLiteral("Cumulative Probability (%)"));
    painter.drawEllipse(QPointF(width / 2.0, height / 2.0), 30.5, 30.5);
    return image;
}

// Pixels that change every time and every way, so the compressed data outgrow
// any buffer and run over many chunks.
QImage noise(int width, int height, bool gray)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const int v = static_cast<int>(state >> 24);
            row[x] =
                gray ? qRgb(v, v, v) : qRgb(v, static_cast<int>((state >> 16) & 0xff), x & 0xff);
        }
    }
    return image;
}

TEST(PngWriter, WritesPicturesThatReadBackToExactlyTheirPixelsAndResolution)
{
    QImage oneRed = grayChart(800, 595);
    oneRed.setPixel(799, 594, qRgb(255, 0, 0));
    QImage chart = grayChart(800, 595);
    chart.setDotsPerMeterX(3780);
    chart.setDotsPerMeterY(7559);
    // Each row: what, the picture, whether it is stored as one gray sample a pixel.
    const std::tuple<const char*, QImage, bool> cases[] = {
        {"a chart in black, white and grays (and a resolution of its own)", chart, true},
        {"a chart with one red pixel", oneRed, false},
        {"gray noise over many chunks", noise(1200, 900, true), true},
        {"one pixel", noise(1, 1, false), false},
        {"a picture with an alpha channel",
         grayChart(64, 48).convertToFormat(QImage::Format_ARGB32_Premultiplied), true},
    };
    for (const auto& [name, image, grayscale] : cases) {
        SCOPED_TRACE(name);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        ASSERT_TRUE(writePng(image, out));
        const QImage back = QImage::fromData(out.data(), "PNG");
        ASSERT_FALSE(back.isNull()) << "not a readable PNG";
        EXPECT_EQ(back.format() == QImage::Format_Grayscale8, grayscale);
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32),
                  image.convertToFormat(QImage::Format_RGB32));
        EXPECT_EQ(back.dotsPerMeterX(), image.dotsPerMeterX());
        EXPECT_EQ(back.dotsPerMeterY(), image.dotsPerMeterY());
    }
}

// A device that takes only so many bytes, like a full disk.
class FullDevice : public QIODevice
{
public:
    explicit FullDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        if (size > m_room) {
            return -1;
        }
        m_room -= size;
        return size;
    }

private:
    qint64 m_room;
};

TEST(PngWriter, ReportsAFailureWhenTheBytesCannotBeWrittenOrThereIsNoPicture)
{
    for (const qint64 room : {0, 20, 60, 5000}) {
        SCOPED_TRACE(room);
        FullDevice device(room);
        EXPECT_FALSE(writePng(noise(300, 200, true), device));
    }
    QBuffer closed;
    EXPECT_FALSE(writePng(grayChart(40, 30), closed)) << "a device not open for writing";
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_FALSE(writePng(QImage(), out));
}

} // namespace
} // namespace qv
