#pragma once
// The chart leaving the program: the window picture as an image, fitted onto a
// page, or written to a picture file. All of it is painted by ChartPainter.

#include "core/model/PageOrientation.h"
#include "core/plot/Scene.h"
#include "render/ChartPainter.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>

class QIODevice;
class QPainter;

namespace qv {

struct ExportResult
{
    bool ok = false;
    QString errorText; // why the file was not written; empty when ok
};

// The whole window picture as an opaque RGB image at `pixelsPerTwip` (by default
// a 96 dpi screen: 15 twips per pixel), its resolution recorded in the image. What
// Copy Graph puts on the clipboard and the bitmap files hold.
QImage chartImage(const Scene& scene, double pixelsPerTwip = ChartPainter::ScreenPixelsPerTwip);

// Paints the whole window picture with `painter` into `device` as SVG through
// Qt's writer, one unit per pixel of a 96 dpi screen; false when painting failed.
bool paintSvg(const ChartPainter& painter, const Scene& scene, QIODevice& device);

// Paints the whole window picture as large as `target` (painter device pixels)
// allows while keeping its proportions, its top left corner at target's: a
// picture wider in proportion than the target fills its width, a taller one its
// height. Nothing is painted when the scene has no size.
void paintChartFitted(QPainter& painter, const Scene& scene, const QRectF& target);

// Whether exportChart knows the picture format of `path` by its extension.
bool knownPictureFormat(const QString& path);

// The bytes of the picture file that exportChart writes to `path` (its format
// chosen by the extension); empty for an unknown extension, a scene without
// size or a picture that could not be painted.
QByteArray chartFileBytes(const Scene& scene, const QString& path,
                          PageOrientation orientation = PageOrientation::Unchanged);

// Writes the whole window picture to `path`, the format chosen by the extension,
// in any case: .png and .bmp (chartImage at 15 twips per pixel, 96 dpi), .svg
// (vector, one unit per pixel of a 96 dpi screen), .pdf (vector, one A4 page with
// 10 mm margins in `orientation` (Unchanged: landscape when the picture is wider
// than tall), the picture fitted to the printable area by
// paintChartFitted). The file is written beside the
// target under a temporary name and renamed over it only when complete, so a
// failed export leaves an existing file as it was; a target that is not a regular
// file (a device, a FIFO, also behind a link) is refused. An unknown extension,
// a scene without size or a file that cannot be written is an error, its text
// naming the cause.
ExportResult exportChart(const Scene& scene, const QString& path,
                         PageOrientation orientation = PageOrientation::Unchanged);

} // namespace qv
