#include "gui/output/ChartOutput.h"

#include "core/Errors.h"
#include "core/Units.h"
#include "core/document/GraphOutput.h"
#include "core/io/SafeFileWriter.h"
#include "gui/widgets/BusyCursor.h"
#include "render/ChartExport.h"
#include "render/ChartPainter.h"
#include "render/QtText.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <new>

namespace qv {

namespace {

constexpr double MillimetresPerInch = 25.4;

double twipsToMillimetres(double twips)
{
    return twips / TwipsPerInch * MillimetresPerInch;
}

void reportFailure(Prompter& prompter, int code, const char* title)
{
    prompter.message(unexpectedErrorText(code, ErrorPrefix::Spaced), title, MessageIcon::Warning);
}

void applyOrientation(QPrinter& printer, PageOrientation orientation)
{
    if (orientation == PageOrientation::Portrait) {
        printer.setPageOrientation(QPageLayout::Portrait);
    } else if (orientation == PageOrientation::Landscape) {
        printer.setPageOrientation(QPageLayout::Landscape);
    }
}

} // namespace

bool copyPictureToClipboard(const QImage& picture, Prompter& prompter)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (picture.isNull() || !clipboard) {
        reportFailure(prompter, ErrorCode::OutOfMemory, ClipboardErrorTitle);
        return false;
    }
    // setImage replaces the clipboard's content in one step; nothing is cleared before.
    clipboard->setImage(picture, QClipboard::Clipboard);
    return true;
}

int writeGraphFile(const QImage& picture, const Scene& scene, const QString& path)
{
    QByteArray bytes;
    if (knownPictureFormat(path)) {
        bytes = chartFileBytes(scene, path);
    } else if (!picture.isNull()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "BMP");
    }
    if (bytes.isEmpty()) {
        return ErrorCode::OutOfMemory;
    }
    // The same safe writer as the project file, with the same codes.
    try {
        const std::string_view content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        writeFileReplacing(toUtf8(path), content);
    } catch (const QvError& e) {
        return e.code();
    } catch (const std::bad_alloc&) {
        return ErrorCode::OutOfMemory;
    }
    return 0;
}

void QtPrintTarget::printToFile(const std::string& path)
{
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(toQString(path));
}

bool paintChartOnPage(QPainter& painter, const QPrinter& printer, const Scene& scene)
{
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    const auto fitted = fitPictureToPage(
        {twipsToMillimetres(scene.windowWidth), twipsToMillimetres(scene.windowHeight)},
        {printable.width(), printable.height()});
    if (!fitted) {
        return false;
    }
    // Device pixels per twip along each axis; the painter's origin is the
    // printable area's top left corner.
    const double perTwipX =
        fitted->width / MillimetresPerInch * printer.logicalDpiX() / scene.windowWidth;
    const double perTwipY =
        fitted->height / MillimetresPerInch * printer.logicalDpiY() / scene.windowHeight;
    painter.save();
    painter.scale(1.0, perTwipY / perTwipX);
    ChartPainter(perTwipX).paintAll(painter, scene);
    painter.restore();
    return true;
}

bool printChart(const Scene& scene, const Settings& settings, Prompter& prompter)
{
    if (!(scene.windowWidth > 0) || !(scene.windowHeight > 0)) {
        reportFailure(prompter, ErrorCode::InvalidArgument, PrintErrorTitle);
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    const PageOrientation orientation = printOrientation(settings);
    // The dialog shows the page as Page Setup turned it.
    applyOrientation(printer, orientation);
    QtPrintTarget target(printer);
    if (!prompter.askPrint(target)) {
        return false;
    }
    // Page Setup decides the orientation; it is set before the page is laid out.
    applyOrientation(printer, orientation);
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);

    const BusyCursor busy;
    QPainter painter;
    if (!painter.begin(&printer)) {
        reportFailure(prompter, ErrorCode::PrinterError, PrintErrorTitle);
        return false;
    }
    const bool painted = paintChartOnPage(painter, printer, scene);
    const bool finished = painter.end();
    if (!painted || !finished) {
        reportFailure(prompter, painted ? ErrorCode::PrinterError : ErrorCode::InvalidArgument,
                      PrintErrorTitle);
        return false;
    }
    return true;
}

} // namespace qv
