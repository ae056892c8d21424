#include "gui/dialogs/SettingsDialog.h"

#include "gui/widgets/Twips.h"
#include "gui/dialogs/SettingsBinder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

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
    if (okRules()) {
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

QCheckBox* SettingsDialog::makeCheck(const char* name, const char* caption, const char* tooltip,
                                     QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromUtf8(name));
    if (tooltip) {
        box->setToolTip(QString::fromUtf8(tooltip));
    }
    return box;
}

QRadioButton* SettingsDialog::makeRadio(const char* name, const char* caption, QWidget* parent)
{
    auto* radio = new QRadioButton(QString::fromUtf8(caption), parent);
    radio->setObjectName(QString::fromUtf8(name));
    return radio;
}

QLineEdit* SettingsDialog::makeField(const char* name, const char* tooltip, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromUtf8(name));
    if (tooltip) {
        field->setToolTip(QString::fromUtf8(tooltip));
    }
    return field;
}

QLabel* SettingsDialog::makeLabel(const char* name, const char* caption, QWidget* buddy,
                                  QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setTextFormat(Qt::PlainText);
    if (buddy) {
        label->setBuddy(buddy);
        buddy->setAccessibleName(withoutAccessKey(label->text()));
    }
    return label;
}

QGroupBox* SettingsDialog::makeFrame(const char* name, const char* title, const char* tooltip,
                                     QWidget* parent)
{
    auto* frame = new QGroupBox(QString::fromUtf8(title), parent);
    frame->setObjectName(QString::fromUtf8(name));
    if (tooltip) {
        frame->setToolTip(QString::fromUtf8(tooltip));
    }
    return frame;
}

QPushButton* SettingsDialog::makeButton(const char* name, const char* caption, const char* tooltip,
                                        QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setAutoDefault(false);
    if (tooltip) {
        button->setToolTip(QString::fromUtf8(tooltip));
    }
    return button;
}

QComboBox* SettingsDialog::makeCombo(const char* name, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromUtf8(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(3);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
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
