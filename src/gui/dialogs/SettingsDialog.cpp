#include "gui/dialogs/SettingsDialog.h"

#include "gui/dialogs/SettingsBinder.h"
#include "gui/widgets/Twips.h"
#include "render/QtText.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>
#include <string>

namespace qv {

QString withoutAccessKey(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i; // "&x" is x; "&&" is "&"
        }
        out += caption[i];
    }
    return out;
}

void nameByLabel(QWidget* field, const QString& caption)
{
    field->setAccessibleName(withoutAccessKey(caption));
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) {
        combo->lineEdit()->setAccessibleName(field->accessibleName());
    }
}

SettingsDialog::SettingsDialog(const char* objectName, const char* caption, Settings& settings,
                               QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    setObjectName(QString::fromUtf8(objectName));
    setWindowTitle(QString::fromUtf8(caption));
}

DialogExit SettingsDialog::run()
{
    m_exit = DialogExit::Cancel;
    setModal(true);
    exec();
    return m_exit;
}

void SettingsDialog::leave(DialogExit exit)
{
    m_exit = exit;
    done(exit == DialogExit::Ok ? QDialog::Accepted : QDialog::Rejected);
}

void SettingsDialog::ok()
{
    if (numberFieldsAccepted(*this, m_settings, m_prompter) && okRules()) {
        leave(DialogExit::Ok);
    }
}

void SettingsDialog::reject()
{
    cancelRules();
    leave(DialogExit::Cancel);
}

void SettingsDialog::switchTo(DialogExit exit)
{
    leave(exit);
}

QString SettingsDialog::objectNameOf(const WidgetName& name) const
{
    if (name.own) {
        return QString::fromUtf8(name.own);
    }
    const std::string control = controlInfo(name.control).name;
    if (control.rfind(toUtf8(objectName()) + ".", 0) != 0) {
        throw std::logic_error(control + " is no control of " + toUtf8(objectName()));
    }
    return controlWidgetName(name.control, name.index);
}

QCheckBox* SettingsDialog::makeCheck(const CheckEntry& check, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromUtf8(check.caption), parent);
    box->setObjectName(objectNameOf(check.id));
    if (check.tooltip) {
        box->setToolTip(QString::fromUtf8(check.tooltip));
    }
    return box;
}

QRadioButton* SettingsDialog::makeRadio(const WidgetName& name, const char* caption,
                                        QWidget* parent)
{
    auto* radio = new QRadioButton(QString::fromUtf8(caption), parent);
    radio->setObjectName(objectNameOf(name));
    return radio;
}

QLineEdit* SettingsDialog::makeField(Ctl id, const char* tooltip, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectNameOf(id));
    if (tooltip) {
        field->setToolTip(QString::fromUtf8(tooltip));
    }
    return field;
}

QLabel* SettingsDialog::makeLabel(const WidgetName& name, const char* caption, QWidget* buddy,
                                  QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(objectNameOf(name));
    label->setTextFormat(Qt::PlainText);
    // Screen readers read the label's own name; the access key's marker is no word.
    label->setAccessibleName(withoutAccessKey(label->text()));
    if (buddy) {
        label->setBuddy(buddy);
        nameByLabel(buddy, label->text());
    }
    return label;
}

QGroupBox* SettingsDialog::makeFrame(const WidgetName& name, const char* title, const char* tooltip,
                                     QWidget* parent)
{
    auto* frame = new QGroupBox(QString::fromUtf8(title), parent);
    frame->setObjectName(objectNameOf(name));
    if (tooltip) {
        frame->setToolTip(QString::fromUtf8(tooltip));
    }
    return frame;
}

QPushButton* SettingsDialog::makeButton(const WidgetName& name, const char* caption,
                                        const char* tooltip, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(objectNameOf(name));
    button->setAutoDefault(false);
    if (tooltip) {
        button->setToolTip(QString::fromUtf8(tooltip));
    }
    return button;
}

QComboBox* SettingsDialog::makeCombo(Ctl id, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectNameOf(id));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(3);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

void SettingsDialog::addChecks(QBoxLayout* layout, std::initializer_list<CheckEntry> checks,
                               QWidget* parent)
{
    for (const CheckEntry& check : checks) {
        layout->addWidget(makeCheck(check, parent));
    }
}

QFormLayout* SettingsDialog::makeFields(std::initializer_list<FieldEntry> fields,
                                        const std::function<void(QLineEdit*)>& shape)
{
    auto* form = new QFormLayout;
    for (const FieldEntry& entry : fields) {
        QLineEdit* field = makeField(entry.field, entry.tooltip, this);
        if (shape) {
            shape(field);
        }
        form->addRow(makeLabel(entry.label, entry.caption, field, this), field);
    }
    return form;
}

QGroupBox* SettingsDialog::makeChoices(const ChoiceFrame& choices, QWidget* parent)
{
    QGroupBox* frame = makeFrame(choices.frame, choices.title, choices.tooltip, parent);
    QLayout* layout = nullptr;
    auto* grid = choices.arrangement == Arrangement::TwoColumns ? new QGridLayout(frame) : nullptr;
    if (grid) {
        layout = grid;
    } else if (choices.arrangement == Arrangement::Row) {
        layout = new QHBoxLayout(frame);
    } else {
        layout = new QVBoxLayout(frame);
    }
    const bool pair = controlInfo(choices.buttons).kind == ControlKind::Button;
    int i = 0;
    for (const char* caption : choices.captions) {
        const WidgetName name = !pair    ? WidgetName(choices.buttons, i)
                                : i == 0 ? WidgetName(choices.buttons)
                                         : WidgetName(controlInfo(choices.buttons).partner);
        QRadioButton* radio = makeRadio(name, caption, frame);
        if (grid) {
            grid->addWidget(radio, i / 2, i % 2);
        } else {
            layout->addWidget(radio);
        }
        ++i;
    }
    if (choices.arrangement == Arrangement::ColumnAtTop) {
        static_cast<QVBoxLayout*>(layout)->addStretch();
    }
    return frame;
}

QGroupBox* SettingsDialog::makePrecision(const ChoiceFrame& choices, Ctl combo,
                                         const WidgetName& places, const char* placesCaption)
{
    QGroupBox* frame = makeFrame(choices.frame, choices.title, choices.tooltip, this);
    auto* layout = new QGridLayout(frame);
    int row = 0;
    for (const char* caption : choices.captions) {
        layout->addWidget(makeRadio(WidgetName(choices.buttons, row), caption, frame), row, 0);
        ++row;
    }
    QComboBox* number = makeCombo(combo, frame);
    layout->addWidget(number, row - 1, 1);
    layout->addWidget(makeLabel(places, placesCaption, number, frame), row - 1, 2);
    selectAllOnFocus(number);
    return frame;
}

std::vector<ButtonEntry> SettingsDialog::optionButtons(const char* okTooltip,
                                                       const char* cancelTooltip, ButtonEntry other)
{
    return {{"OK", "O&K", okTooltip, [this] { ok(); }},
            {"Command1", "&Cancel", cancelTooltip, [this] { reject(); }},
            std::move(other)};
}

void SettingsDialog::layOut(std::initializer_list<QLayout*> rows,
                            const std::vector<ButtonEntry>& buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    QPushButton* first = nullptr;
    for (const ButtonEntry& entry : buttons) {
        QPushButton* button = makeButton(entry.name, entry.caption, entry.tooltip, this);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, entry.clicked);
        first = first ? first : button;
    }
    auto* layout = new QVBoxLayout(this);
    for (QLayout* part : rows) {
        layout->addLayout(part);
    }
    layout->addSpacing(6);
    layout->addLayout(row);
    finish(first);
}

void SettingsDialog::selectAllOnFocus(QWidget* field)
{
    field->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) {
        combo->lineEdit()->installEventFilter(this);
    }
}

void SettingsDialog::finish(QPushButton* ok)
{
    m_ok = ok;
    ok->setDefault(true);
    ok->setAutoDefault(true);
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (!widget->accessibleName().isEmpty()) {
            continue;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            widget->setAccessibleName(withoutAccessKey(button->text()));
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            widget->setAccessibleName(withoutAccessKey(frame->title()));
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            widget->setAccessibleName(label->text());
        }
    }
    m_binder = new SettingsBinder(*this);
    m_binder->attach(&m_settings);
    if (layout()) {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
    adjustSize();
    centreOnScreen(*this);
}

void SettingsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_ok) {
        m_ok->setFocus(Qt::OtherFocusReason);
    }
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // After a mouse click the field places the cursor itself; select once
        // the click has been handled.
        QLineEdit* edit = qobject_cast<QLineEdit*>(watched);
        if (auto* combo = qobject_cast<QComboBox*>(watched)) {
            edit = combo->lineEdit();
        }
        if (edit) {
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qv
