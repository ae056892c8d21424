// Page Setup's choices given to batch mode with --set: they take effect as its
// OK applies them, and the PDF page follows the print orientation.
#include "gui/app/BatchMode.h"
#include "support/TempFiles.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTextStream>

#include <gtest/gtest.h>

namespace qv {
namespace {

int runQuietly(QStringList arguments)
{
    arguments.prepend("quantiview");
    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    const int status = runBatch(arguments, out, err);
    err.flush();
    EXPECT_TRUE(errText.isEmpty()) << errText.toStdString();
    return status;
}

TEST(BatchMode, PageSetupChoicesResizeThePictureAndTurnThePdfPage)
{
    test::TempFiles files;
    const QString lot = QString::fromStdString(files.write("lot.csv", "3\n1\n2\n5\n4\n"));
    const struct
    {
        const char* name;
        QStringList sets;
        double widthFactor; // of the picture without choices, roughly
        bool landscape;
    } cases[] = {
        {"no choices", {}, 1, false},
        {"Keep Current Size", {"--set", "frmPageSetup.optPlotSize=4"}, 1, false},
        {"Reduce 40%", {"--set", "frmPageSetup.optPlotSize=0"}, 0.68, false},
        {"Landscape", {"--set", "frmPageSetup.optPrtOrientation=1"}, 1, true},
    };
    int plainWidth = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString png = QString::fromStdString(files.path("chart.png"));
        const QString pdf = QString::fromStdString(files.path("chart.pdf"));
        ASSERT_EQ(runQuietly(QStringList{"--export", png} + c.sets + QStringList{lot}), 0);
        ASSERT_EQ(runQuietly(QStringList{"--export", pdf} + c.sets + QStringList{lot}), 0);
        const int width = QImage(png).width();
        if (plainWidth == 0) {
            plainWidth = width;
        }
        EXPECT_NEAR(width, plainWidth * c.widthFactor, plainWidth * 0.03);

        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromLatin1(file.readAll());
        const auto box =
            QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(text);
        ASSERT_TRUE(box.hasMatch());
        EXPECT_EQ(box.captured(1).toDouble() > box.captured(2).toDouble(), c.landscape);
    }
}

} // namespace
} // namespace qv
