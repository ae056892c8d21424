#include "gui/dialogs/FileCharDialog.h"

#include "gui/app/Twips.h"

#include "core/model/Session.h"
#include "core/model/Settings.h"

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
#include <QSignalBlocker>
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

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// Puts the items "1".."n" into a combo box unless it holds them already.
void setColumnItems(QComboBox* combo, int count)
{
    bool same = combo->count() == count;
    for (int i = 0; same && i < count; ++i) {
        same = combo->itemText(i) == QString::number(i + 1);
    }
    if (same) {
        return;
    }
    const QString text = combo->currentText();
    combo->clear();
    for (int i = 1; i <= count; ++i) {
        combo->addItem(QString::number(i));
    }
    combo->setEditText(text);
}

void setComboText(QComboBox* combo, const QString& text)
{
    if (combo->currentText() == text) {
        return;
    }
    const int index = combo->findText(text);
    if (index >= 0) {
        combo->setCurrentIndex(index);
    }
    combo->setEditText(text);
}

} // namespace

FileCharDialog::FileCharDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FileChar"));
    setWindowTitle(QStringLiteral("Data File Parameters"));
    setModal(true);

    m_frame1 = new QGroupBox(QStringLiteral("Data File Preview"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_firstRow = makeLabel("FirstRow", "", m_frame1);
    m_secondRow = makeLabel("SecondRow", "", m_frame1);
    const int previewWidth = fontMetrics().averageCharWidth() * PreviewChars;
    for (QLabel* row : {m_firstRow, m_secondRow}) {
        row->setTextFormat(Qt::PlainText);
        row->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        row->setMinimumWidth(previewWidth);
        row->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        row->setMargin(2);
        row->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* preview = new QFormLayout(m_frame1);
    preview->addRow(makeLabel("lblFirstRow", "1st Row:", m_frame1), m_firstRow);
    preview->addRow(makeLabel("lblSecondRow", "2nd Row:", m_frame1), m_secondRow);

    m_frame3 = new QGroupBox(QStringLiteral("Data Parameters"), this);
    m_frame3->setObjectName(QStringLiteral("Frame3"));
    m_labels = new QCheckBox(m_frame3);
    m_labels->setObjectName(QStringLiteral("Labels"));
    m_ncol = new QLineEdit(m_frame3);
    m_ncol->setObjectName(QStringLiteral("Ncol"));
    m_ncol->setMaxLength(6);
    m_ncol->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 6 + 12);
    m_ncol->installEventFilter(this);
    m_colN = makeColumnCombo("ColN", m_frame3);
    auto* labelsLabel = makeLabel("lblLabels", "Labels in First Row?", m_frame3);
    labelsLabel->setBuddy(m_labels);
    labelsLabel->installEventFilter(this);
    auto* parameters = new QFormLayout(m_frame3);
    parameters->addRow(labelsLabel, m_labels);
    parameters->addRow(makeLabel("lblNcol", "No. of Data Columns", m_frame3), m_ncol);
    parameters->addRow(makeLabel("lblColN", "Column Number to Analyze", m_frame3), m_colN);

    m_frame2 = new QGroupBox(QStringLiteral("Uncertainty Bars"), this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_errorBars = new QCheckBox(m_frame2);
    m_errorBars->setObjectName(QStringLiteral("ErrorBars"));
    m_errorColumn = makeColumnCombo("ErrorColumn", m_frame2);
    m_errorBarsLabel = makeLabel("lblErrorBars", "Data Uncertainties in Column?", m_frame2);
    m_errorBarsLabel->setBuddy(m_errorBars);
    m_errorBarsLabel->installEventFilter(this);
    m_errorColumnLabel = makeLabel("lblErrorColumn", "Uncertainty Column Number", m_frame2);
    auto* uncertainty = new QFormLayout(m_frame2);
    uncertainty->addRow(m_errorBarsLabel, m_errorBars);
    uncertainty->addRow(m_errorColumnLabel, m_errorColumn);

    for (QFormLayout* form : {preview, parameters, uncertainty}) {
        form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    preview->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel->setAutoDefault(false);

    auto* frames = new QHBoxLayout;
    frames->addWidget(m_frame3, 1);
    frames->addWidget(m_frame2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame1);
    layout->addLayout(frames);
    layout->addSpacing(4);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_labels, &QCheckBox::clicked, this, &FileCharDialog::labelsClicked);
    connect(m_errorBars, &QCheckBox::clicked, this, &FileCharDialog::errorBarsClicked);
    connect(m_ncol, &QLineEdit::textEdited, this, &FileCharDialog::ncolEdited);
    connect(m_colN, &QComboBox::currentTextChanged, this, &FileCharDialog::colNChanged);
    connect(m_errorColumn, &QComboBox::currentTextChanged, this,
            &FileCharDialog::errorColumnChanged);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    adjustSize();
    centreOnScreen(*this);
}

void FileCharDialog::attach(Session* session)
{
    m_session = session;
    refresh();
}

bool FileCharDialog::ask(Session& session)
{
    attach(&session);
    const bool accepted = exec() == QDialog::Accepted;
    session.fileCharAccepted = accepted;
    m_session = nullptr;
    return accepted;
}

void FileCharDialog::setPreview(QLabel* label, const std::string& line)
{
    QString text = fromUtf8(line);
    label->setToolTip(text);
    // Tabs separate fields as blanks do; show them as a little space.
    text.replace(QLatin1Char('\t'), QStringLiteral("    "));
    const int room = label->minimumWidth() - 2 * label->margin() - 2 * label->frameWidth();
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, room));
}

void FileCharDialog::refresh()
{
    if (!m_session) {
        return;
    }
    const Settings& settings = m_session->settings;
    m_refreshing = true;
    const QSignalBlocker blockColN(m_colN);
    const QSignalBlocker blockErrorColumn(m_errorColumn);

    setPreview(m_firstRow, m_session->firstRow);
    setPreview(m_secondRow, m_session->secondRow);

    m_labels->setChecked(settings.check(Ctl::FileChar_Labels) == 1);
    m_labels->setEnabled(settings.enabled(Ctl::FileChar_Labels));
    const QString ncol = fromUtf8(settings.text(Ctl::FileChar_Ncol));
    if (m_ncol->text() != ncol) {
        m_ncol->setText(ncol);
    }
    m_ncol->setEnabled(settings.enabled(Ctl::FileChar_Ncol));

    const int items = settings.fileCharColumnItems();
    setColumnItems(m_colN, items);
    setColumnItems(m_errorColumn, items);
    setComboText(m_colN, fromUtf8(settings.text(Ctl::FileChar_ColN)));
    m_colN->setEnabled(settings.enabled(Ctl::FileChar_ColN));

    m_frame2->setEnabled(settings.enabled(Ctl::FileChar_Frame2));
    m_errorBars->setChecked(settings.check(Ctl::FileChar_ErrorBars) == 1);
    m_errorBars->setEnabled(settings.enabled(Ctl::FileChar_ErrorBars));
    setComboText(m_errorColumn, fromUtf8(settings.text(Ctl::FileChar_ErrorColumn)));
    m_errorColumn->setEnabled(settings.enabled(Ctl::FileChar_ErrorColumn));
    m_refreshing = false;
}

void FileCharDialog::labelsClicked(bool checked)
{
    if (m_session) {
        m_session->settings.setCheck(Ctl::FileChar_Labels, checked ? 1 : 0);
    }
    refresh();
}

void FileCharDialog::errorBarsClicked(bool checked)
{
    if (m_session) {
        m_session->settings.setCheck(Ctl::FileChar_ErrorBars, checked ? 1 : 0);
    }
    refresh();
}

void FileCharDialog::ncolEdited(const QString& text)
{
    if (m_session && !m_refreshing) {
        m_session->settings.setText(Ctl::FileChar_Ncol, text.toStdString());
        refresh();
    }
}

void FileCharDialog::colNChanged(const QString& text)
{
    if (m_session && !m_refreshing) {
        m_session->settings.setText(Ctl::FileChar_ColN, text.toStdString());
        refresh();
    }
}

void FileCharDialog::errorColumnChanged(const QString& text)
{
    if (m_session && !m_refreshing) {
        m_session->settings.setText(Ctl::FileChar_ErrorColumn, text.toStdString());
        refresh();
    }
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
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (watched == m_errorBarsLabel && m_errorBars->isEnabled()) {
                m_errorBars->click();
                return true;
            }
            auto* label = qobject_cast<QLabel*>(watched);
            if (label && label->buddy() == m_labels && m_labels->isEnabled()) {
                m_labels->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qv
