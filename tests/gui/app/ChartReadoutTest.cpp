// The readout under the mouse pointer in the main window's status bar.
#include "MainWindowFixture.h"
#include "core/plot/ChartGeometry.h"
#include "gui/app/ChartDragger.h"

#include <QLabel>
#include <QStatusBar>
#include <QTest>

namespace qv {
namespace {

class ChartReadoutTest : public MainWindowTest
{
protected:
    ChartReadoutTest()
    {
        // A labels row and a foreign line: ranks and file lines differ.
        open(m_files.write("lot.csv", "diameter\n3.2\n2.531\nn/a\n1.9\n5.04\n4.4\n"));
        m_window.show();
        m_readout = m_window.statusBar()->findChild<QLabel*>(QStringLiteral("lblPointerReadout"));
    }
    // The plot area's pixel of the point of `rank` in the main set.
    QPoint pixelOf(int rank)
    {
        const QWidget* plot = m_window.plotArea();
        const ChartGeometry g =
            mappingOf(m_window.scene())->onDevice({0, 0, double(plot->width()), double(plot->height())});
        const PlotPoint& p = m_window.document().plot().results().sets[0].points.at(
            static_cast<std::size_t>(rank - 1));
        return QPointF(g.xToDevice(p.position), g.yToDevice(p.value)).toPoint();
    }
    std::string shown() const { return m_readout->text().toStdString(); }

    QLabel* m_readout = nullptr;
};

TEST_F(ChartReadoutTest, FollowsThePointerOverThePlotAreaAndClearsWhenItLeaves)
{
    ASSERT_NE(m_readout, nullptr);
    EXPECT_EQ(m_readout->accessibleName().toStdString(), "Under the pointer");
    EXPECT_EQ(shown(), "");
    QWidget* plot = m_window.plotArea();
    QTest::mouseMove(plot, pixelOf(2) + QPoint(1, 1));
    const std::string text = shown();
    EXPECT_NE(text.find(" % \u00b7 point 2 of 5, 2.531, line 3"), std::string::npos) << text;
    EXPECT_EQ(m_readout->accessibleDescription(), m_readout->text());

    // Away from the points: the value and the probability alone.
    QTest::mouseMove(plot, QPoint(plot->width() / 2, 4));
    EXPECT_EQ(shown().find("point"), std::string::npos) << shown();
    EXPECT_NE(shown().find(" at 5"), std::string::npos) << shown();

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(plot, &leave);
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(m_readout->accessibleDescription(), "");
}

TEST_F(ChartReadoutTest, ReadsTheNewChartAfterADrawingAndTheBoxesStillDrag)
{
    QWidget* plot = m_window.plotArea();
    QTest::mouseMove(plot, pixelOf(5));
    EXPECT_NE(shown().find("point 5 of 5, 5.04, line 6"), std::string::npos) << shown();
    const std::string before = shown();
    // Point 5 disabled and the chart drawn again: the new chart is read at once.
    DataSet& set = m_window.session().set(1);
    set.states[4] = 0; // the values are kept in ascending order
    set.enabledCount = 4;
    m_window.document().drawPlot();
    EXPECT_NE(shown(), before);
    EXPECT_EQ(shown().find("5.04"), std::string::npos) << shown();
    QTest::mouseMove(plot, pixelOf(4));
    EXPECT_NE(shown().find("point 4 of 4, 4.4, line 7"), std::string::npos) << shown();

    // The statistics box follows a drag while the readout watches.
    const Placement& box = m_window.scene().placements.statsBox;
    const double left = box.left;
    const TwipScale& t = m_window.twipScale();
    const QPoint grab = plot->mapFrom(m_window.centralWidget(),
                                      QPoint(t.toPixelsX(box.left), t.toPixelsY(box.top)) +
                                          QPoint(10, 10));
    QTest::mousePress(plot, Qt::LeftButton, {}, grab);
    QTest::mouseMove(plot, grab + QPoint(60, 40));
    EXPECT_TRUE(m_window.dragger()->dragging());
    QTest::mouseRelease(plot, Qt::LeftButton, {}, grab + QPoint(60, 40));
    EXPECT_NEAR(m_window.scene().placements.statsBox.left, left + 60 * t.twipsPerPixelX(), 1e-6);
}

} // namespace
} // namespace qv
