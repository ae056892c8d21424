#include "gui/dialogs/FileCharDialog.h"

#include "core/model/Settings.h"
#include "gui/dialogs/SettingsBinder.h"
#include "gui/dialogs/SettingsDialog.h"
#include "gui/widgets/Twips.h"
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

// The questions of a frame: each answer's widget with its caption before it.
const FileCharDialog::Question kParameters[] = {
    {"lblLabels", "Labels in First Row?", Ctl::FileChar_Labels},
    {"lblNcol", "No. of Data Columns", Ctl::FileChar_Ncol},
    {"lblColN", "Column Number to Analyze", Ctl::FileChar_ColN},
    {"lblDecimalComma", "&Decimal comma", Ctl::FileChar_DecimalComma},
};
const FileCharDialog::Question kUncertainty[] = {
    {"lblErrorBars", "Data Uncertainties in Column?", Ctl::FileChar_ErrorBars},
    {"lblErrorColumn", "Uncertainty Column Number", Ctl::FileChar_ErrorColumn},
};

} // namespace

FileCharDialog::FileCharDialog(QWidget* parent, Prompter* prompter)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("FileChar"));
    setWindowTitle(QStringLiteral("Data File Parameters"));
    setModal(true);

    auto* frame1 = makeFrame("Frame1", "Data File Preview");
    m_firstRow = makeLabel("FirstRow", "", frame1);
    m_secondRow = makeLabel("SecondRow", "", frame1);
    m_firstRow->setAccessibleName(QStringLiteral("1st Row"));
    m_secondRow->setAccessibleName(QStringLiteral("2nd Row"));
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

    auto* frame3 = makeFrame("Frame3", "Data Parameters");
    QFormLayout* parameters = addQuestions(frame3, kParameters);
    auto* decimalComma =
        frame3->findChild<QCheckBox*>(controlWidgetName(Ctl::FileChar_DecimalComma));
    decimalComma->setToolTip(QStringLiteral(
        "A comma is the decimal mark (8,3); fields are then separated by semicolons, blanks "
        "and tabs. Checked when the file looks written so."));
    decimalComma->setAccessibleName(QStringLiteral("Decimal comma"));
    auto* frame2 = makeFrame(controlWidgetName(Ctl::FileChar_Frame2), "Uncertainty Bars");
    QFormLayout* uncertainty = addQuestions(frame2, kUncertainty);
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

QGroupBox* FileCharDialog::makeFrame(const QString& name, const char* title)
{
    auto* frame = new QGroupBox(QString::fromUtf8(title), this);
    frame->setObjectName(name);
    return frame;
}

QWidget* FileCharDialog::makeAnswer(Ctl id, QWidget* parent)
{
    const QString name = controlWidgetName(id);
    switch (controlInfo(id).kind) {
    case ControlKind::Check: {
        auto* box = new QCheckBox(parent);
        box->setObjectName(name);
        return box;
    }
    case ControlKind::Text:
        m_ncol = new QLineEdit(parent);
        m_ncol->setObjectName(name);
        m_ncol->setMaxLength(6);
        m_ncol->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 6 + 12);
        m_ncol->installEventFilter(this);
        return m_ncol;
    default:
        break;
    }
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(4);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

QFormLayout* FileCharDialog::addQuestions(QGroupBox* frame, std::span<const Question> questions)
{
    std::vector<QWidget*> answers;
    for (const Question& question : questions) {
        answers.push_back(makeAnswer(question.answer, frame));
    }
    auto* form = new QFormLayout(frame);
    for (std::size_t i = 0; i < questions.size(); ++i) {
        QLabel* label = makeLabel(questions[i].label, questions[i].caption, frame);
        label->setBuddy(answers[i]);
        // Named by its question, not by the value it shows ("1").
        nameByLabel(answers[i], label->text());
        if (qobject_cast<QCheckBox*>(answers[i])) {
            label->installEventFilter(this);
        }
        form->addRow(label, answers[i]);
    }
    return form;
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

void FileCharDialog::accept()
{
    Settings* settings = m_binder->settings();
    if (!settings || numberFieldsAccepted(*this, *settings, m_prompter)) {
        QDialog::accept();
    }
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
