#include "gui/dialogs/AboutWindows.h"

#include "core/model/Session.h"
#include "gui/widgets/Twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace qv {

namespace {

const QString LogoResource = QStringLiteral(":/packaging/quantiview.svg");
const QString CalculationsResource = QStringLiteral(":/docs/calculations.html");
constexpr const char* LastUpdate = "Last updated 7 December 2026";
constexpr const char* Notices[] = {
    "Sampling inspection by variables on probability paper.",
    "Copyright \u00a9 2026 the Quantiview developers.",
    "Built with Qt " QT_VERSION_STR " (LGPL 3) and Boost.Math (Boost Software License).",
    "Provided as is, without warranty of any kind.",
};

QLabel* makeLabel(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* makePicture(const QString& objectName, int side, const QString& spoken, QWidget* parent)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(objectName);
    // Drawn at the screen's own resolution, so that it stays sharp at 1.5 or 2x.
    const qreal ratio = parent->devicePixelRatioF();
    QPixmap logo = programLogo(qRound(side * ratio));
    logo.setDevicePixelRatio(ratio);
    picture->setPixmap(logo);
    picture->setFixedSize(side, side);
    picture->setAccessibleName(spoken);
    return picture;
}

// "O&K" in bold type, as both windows have it.
QPushButton* makeOkButton(const QString& objectName, QWidget* parent)
{
    auto* ok = new QPushButton(QStringLiteral("O&K"), parent);
    ok->setObjectName(objectName);
    ok->setAccessibleName(QStringLiteral("OK"));
    QFont bold = ok->font();
    bold.setBold(true);
    ok->setFont(bold);
    return ok;
}

} // namespace

QPixmap programLogo(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(LogoResource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Quantiview"));
    setWindowModality(Qt::ApplicationModal);

    auto* picture =
        makePicture(QStringLiteral("Picture1"), 96, QStringLiteral("Quantiview logo"), this);
    auto* image = makePicture(QStringLiteral("Image1"), 32, QStringLiteral("Quantiview"), this);

    auto* name = makeLabel(QStringLiteral("lblName"), QString::fromUtf8(ProgramName), this);
    QFont large = name->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.5);
    name->setFont(large);
    auto* date = makeLabel(QStringLiteral("lblDate"), QString::fromUtf8(LastUpdate), this);

    auto* heading = new QHBoxLayout;
    heading->addWidget(image);
    heading->addWidget(name, 1);
    auto* texts = new QVBoxLayout;
    texts->addLayout(heading);
    texts->addWidget(date);
    texts->addSpacing(8);
    int line = 1;
    for (const char* notice : Notices) {
        texts->addWidget(
            makeLabel(QStringLiteral("lblNotice%1").arg(line++), QString::fromUtf8(notice), this));
    }

    m_ok = makeOkButton(QStringLiteral("OK"), this);
    m_ok->setToolTip(QStringLiteral("Go back to plot."));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* body = new QHBoxLayout;
    body->addWidget(picture, 0, Qt::AlignTop);
    body->addSpacing(12);
    body->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(m_ok, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    centreOnScreen(*this);
}

void AboutDialog::showAbout()
{
    show();
    raise();
    activateWindow();
}

void AboutDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_ok->setFocus(Qt::OtherFocusReason);
}

CalculationsWindow::CalculationsWindow(QWidget* parent) : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmCalculations"));
    setWindowTitle(QStringLiteral("About the Calculations"));

    m_document = new QTextBrowser(this);
    m_document->setObjectName(QStringLiteral("RichTextBoxFormulas"));
    m_document->setAccessibleName(QStringLiteral("About the Calculations"));
    m_document->setOpenExternalLinks(true);
    m_document->setSource(QUrl(QStringLiteral("qrc") + CalculationsResource));

    auto* ok = makeOkButton(QStringLiteral("cmdCalculationsOK"), this);
    QFont verdana = ok->font();
    verdana.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    ok->setFont(verdana);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_document, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    fitOnScreen(*this, QSize(640, 640));
    centreOnScreen(*this);
}

void CalculationsWindow::showWindow()
{
    show();
    raise();
    activateWindow();
}

} // namespace qv
