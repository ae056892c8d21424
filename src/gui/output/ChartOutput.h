#pragma once
// The chart leaving the window: Copy Graph (clipboard), Save Graph As (a
// picture file) and Print (one page). Each takes the window picture that
// chartImage() or ChartPainter::paintAll() paints from the document's scene,
// the same picture that batch export writes; nothing is grabbed from the screen.

#include "core/model/Prompter.h"
#include "core/plot/Scene.h"

#include <QImage>
#include <QString>

class QPainter;
class QPrinter;

namespace qv {

class Settings;

// Copy Graph: puts `picture` on the clipboard, replacing what was there only
// once the picture is complete. A null picture (it could not be painted, for
// want of memory) leaves the clipboard as it was and is reported as
// "Unexpected Error  7" under "Clipboard Error". True when copied.
bool copyPictureToClipboard(const QImage& picture, Prompter& prompter);

// Save Graph As: writes the chart to `path` in the format its extension names
// (.bmp, .png, .svg or .pdf, in any case, as batch export writes them), or
// `picture` as a Windows bitmap for any other name, through a temporary file
// beside it that replaces the file only when complete (writeFileReplacing), so
// a failed save keeps the picture that was there. Returns 0, or the code of the
// failure as writeFileReplacing raises it (61 a full disk or a size limit, 70 no
// permission, 75 a folder, 76 no such folder), 7 when the picture cannot be
// painted or encoded.
int writeGraphFile(const QImage& picture, const Scene& scene, const QString& path);

// A Qt printer as the print dialog sets it up.
class QtPrintTarget : public PrintTarget
{
public:
    explicit QtPrintTarget(QPrinter& printer) : m_printer(printer) {}
    QPrinter& printer() const { return m_printer; }
    void printToFile(const std::string& path) override;

private:
    QPrinter& m_printer;
};

// Paints the window picture of `scene` on a painter begun on `printer`, as
// large as the printable area allows while keeping its proportions, from the
// area's top left corner. The fit is computed in millimetres and each axis
// scaled by its own resolution, so a printer with unequal resolutions does not
// stretch the chart. False, painting nothing, for a scene without size.
bool paintChartOnPage(QPainter& painter, const QPrinter& printer, const Scene& scene);

// Print: the print dialog (printing to a PDF file allowed), the page turned as
// Page Setup says, then the window picture fitted on one page. Cancel ends
// silently; a printer that cannot start or finish the job, or a picture
// without size, is reported as "Unexpected Error " and the code under "Print
// Error". True when the page was printed.
bool printChart(const Scene& scene, const Settings& settings, Prompter& prompter);

} // namespace qv
