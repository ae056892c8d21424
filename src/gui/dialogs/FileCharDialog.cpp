#include "gui/dialogs/FileCharDialog.h"

#include "core/model/Settings.h"
#include "gui/widgets/Twips.h"
#include "gui/dialogs/SettingsBinder.h"
#include "render/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace qv {

namespace {

// Width of the preview rows in average characters: long lines are elided, the
// whole line stays in the tooltip.
constexpr int PreviewChars = 48;

QLabel* makeLabel(const char* objectName, const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromUtf8(objectName));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QComboBox* makeColumnCombo(const char* objectName, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromUtf8(objectName));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(4);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

} // namespace

FileCharDialog::FileCharDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FileChar"));
    setWindowTitle(QStringLiteral("Data File Parameters"));
    setModal(true);

    auto* frame1 = new QGroupBox(QStringLiteral("Data File Preview"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    m_firstRow = makeLabel("FirstRow", "", frame1);
    m_secondRow = makeLabel("SecondRow", "", frame1);
    const int previewWidth = fontMetrics().averageCharWidth() * PreviewChars;
    for (QLabel* row : {m_firstRow, m_secondRow}) {
        row->setTextFormat(Qt::PlainText);
        row->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        row->setMinimumWidth(previewWidth);
        row->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        row->setMargin(2);
        row->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* preview = new QFormLayout(frame1);
    preview->addRow(makeLabel("lblFirstRow", "1st Row:", frame1), m_firstRow);
    preview->addRow(makeLabel("lblSecondRow", "2nd Row:", frame1), m_secondRow);

    auto* frame3 = new QGroupBox(QStringLiteral("Data Parameters"), this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    auto* labels = new QCheckBox(frame3);
    labels->setObjectName(QStringLiteral("Labels"));
    m_ncol = new QLineEdit(frame3);
    m_ncol->setObjectName(QStringLiteral("Ncol"));
    m_ncol->setMaxLength(6);
    m_ncol->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 6 + 12);
    m_ncol->installEventFilter(this);
    auto* colN = makeColumnCombo("ColN", frame3);
    auto* labelsLabel = makeLabel("lblLabels", "Labels in First Row?", frame3);
    labelsLabel->setBuddy(labels);
    labelsLabel->installEventFilter(this);
    auto* ncolLabel = makeLabel("lblNcol", "No. of Data Columns", frame3);
    ncolLabel->setBuddy(m_ncol);
    auto* colNLabel = makeLabel("lblColN", "Column Number to Analyze", frame3);
    colNLabel->setBuddy(colN);
    auto* parameters = new QFormLayout(frame3);
    parameters->addRow(labelsLabel, labels);
    parameters->addRow(ncolLabel, m_ncol);
    parameters->addRow(colNLabel, colN);

    auto* frame2 = new QGroupBox(QStringLiteral("Uncertainty Bars"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* errorBars = new QCheckBox(frame2);
    errorBars->setObjectName(QStringLiteral("ErrorBars"));
    auto* errorColumn = makeColumnCombo("ErrorColumn", frame2);
    auto* errorBarsLabel = makeLabel("lblErrorBars", "Data Uncertainties in Column?", frame2);
    errorBarsLabel->setBuddy(errorBars);
    errorBarsLabel->installEventFilter(this);
    auto* errorColumnLabel = makeLabel("lblErrorColumn", "Uncertainty Column Number", frame2);
    errorColumnLabel->setBuddy(errorColumn);
    auto* uncertainty = new QFormLayout(frame2);
    uncertainty->addRow(errorBarsLabel, errorBars);
    uncertainty->addRow(errorColumnLabel, errorColumn);

    for (QFormLayout* form : {preview, parameters, uncertainty}) {
        form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    preview->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OK"));
    auto* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    cancel->setAutoDefault(false);

    auto* frames = new QHBoxLayout;
    frames->addWidget(frame3, 1);
    frames->addWidget(frame2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    layout->addLayout(frames);
    layout->addSpacing(4);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_binder = new SettingsBinder(*this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    adjustSize();
    centreOnScreen(*this);
}

void FileCharDialog::attach(Settings* settings, const DataFilePreview& preview)
{
    setPreview(m_firstRow, preview.firstRow);
    setPreview(m_secondRow, preview.secondRow);
    m_binder->attach(settings);
}

bool FileCharDialog::ask(Settings& settings, const DataFilePreview& preview)
{
    attach(&settings, preview);
    const bool accepted = exec() == QDialog::Accepted;
    attach(nullptr);
    return accepted;
}

void FileCharDialog::setPreview(QLabel* label, const std::string& line)
{
    QString text = toQString(line);
    label->setToolTip(text);
    // Tabs separate fields as blanks do; show them as a little space.
    text.replace(QLatin1Char('\t'), QStringLiteral("    "));
    const int room = label->minimumWidth() - 2 * label->margin() - 2 * label->frameWidth();
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, room));
}

void FileCharDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_ok->setFocus(Qt::OtherFocusReason);
}

bool FileCharDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ncol && event->type() == QEvent::FocusIn) {
        // After a mouse click the line edit places the cursor itself; select once
        // the click has been handled.
        QTimer::singleShot(0, m_ncol, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // A check box's caption is the label beside it: a click on it clicks the box.
        auto* label = qobject_cast<QLabel*>(watched);
        auto* box = label ? qobject_cast<QCheckBox*>(label->buddy()) : nullptr;
        if (box && box->isEnabled()) {
            box->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qv
