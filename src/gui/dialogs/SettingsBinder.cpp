#include "gui/dialogs/SettingsBinder.h"

#include "core/document/OptionDialogs.h"
#include "render/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace qv {

namespace {

// The index at the end of a group button's name ("CR_2" gives 2), or -1.
int buttonIndex(const std::string& name, std::string& group)
{
    const auto underscore = name.rfind('_');
    if (underscore == std::string::npos || underscore + 1 == name.size()) {
        return -1;
    }
    int index = 0;
    for (std::size_t i = underscore + 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || index > 99) {
            return -1;
        }
        index = index * 10 + (name[i] - '0');
    }
    group = name.substr(0, underscore);
    return index;
}

// Checks or unchecks a radio button; an auto-exclusive button cannot simply be
// unchecked, and a group may have no button selected.
void setRadio(QRadioButton* radio, bool on)
{
    if (radio->isChecked() == on) {
        return;
    }
    if (on) {
        radio->setChecked(true);
        return;
    }
    const bool exclusive = radio->autoExclusive();
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(exclusive);
}

// Puts `items` into a combo box unless it holds them already, keeping its text.
void setItems(QComboBox* combo, const std::vector<std::string>& items)
{
    bool same = combo->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < combo->count(); ++i) {
        same = combo->itemText(i) == toQString(items[static_cast<std::size_t>(i)]);
    }
    if (same) {
        return;
    }
    const QString text = combo->currentText();
    combo->clear();
    for (const std::string& item : items) {
        combo->addItem(toQString(item));
    }
    if (combo->isEditable()) {
        combo->setEditText(text);
    } else {
        combo->setCurrentIndex(combo->findText(text));
    }
}

// A list entry that names what it stands for ("2 · Girth") stores the text
// before the middle dot ("2"); any other text stores itself.
QString comboValue(const QString& text)
{
    static const QString mark = QStringLiteral(" \u00B7 ");
    const auto at = text.indexOf(mark);
    return at < 0 ? text : text.left(at);
}

// Shows the value `text`: the list entry that stores it, else the text itself.
// Unless `entry` asks for the entry, a text being typed that stores the value stays.
void setComboText(QComboBox* combo, const QString& text, bool entry)
{
    if (!entry && comboValue(combo->currentText()) == text) {
        return;
    }
    int index = -1;
    for (int i = 0; i < combo->count() && index < 0; ++i) {
        if (comboValue(combo->itemText(i)) == text) {
            index = i;
        }
    }
    const QString shown = index >= 0 ? combo->itemText(index) : text;
    if (combo->currentText() == shown) {
        return;
    }
    if (index >= 0) {
        combo->setCurrentIndex(index);
    }
    if (combo->isEditable()) {
        combo->setEditText(shown);
    }
}

} // namespace

QString controlWidgetName(Ctl id, int index)
{
    const std::string_view name = controlInfo(id).name;
    QString widget = toQString(name.substr(name.find('.') + 1));
    if (index >= 0) {
        widget += QStringLiteral("_%1").arg(index);
    }
    return widget;
}

bool numberFieldsAccepted(QWidget& dialog, Settings& settings, Prompter* prompter)
{
    if (!prompter) {
        return true;
    }
    const auto refused = refusedNumberField(settings, toUtf8(dialog.objectName()), *prompter);
    if (!refused) {
        return true;
    }
    if (auto* field = dialog.findChild<QWidget*>(controlWidgetName(*refused))) {
        field->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

SettingsBinder::SettingsBinder(QWidget& root) : QObject(&root), m_root(root)
{
    const std::string prefix = toUtf8(root.objectName()) + ".";
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        const std::string name = toUtf8(widget->objectName());
        if (name.empty()) {
            continue;
        }
        if (const auto id = findControl(prefix + name)) {
            bind(widget, *id, -1);
            continue;
        }
        std::string group;
        const int index = buttonIndex(name, group);
        if (index < 0) {
            continue;
        }
        const auto id = findControl(prefix + group);
        if (id && controlInfo(*id).kind == ControlKind::Group && index < controlInfo(*id).buttons &&
            qobject_cast<QRadioButton*>(widget)) {
            bind(widget, *id, index);
        }
    }
}

SettingsBinder::~SettingsBinder()
{
    if (m_settings) {
        m_settings->removeListener(m_listener);
    }
}

void SettingsBinder::bind(QWidget* widget, Ctl id, int index)
{
    m_bindings.push_back({id, widget, index});
    connectEdits(m_bindings.back());
}

void SettingsBinder::connectEdits(const Binding& binding)
{
    const Ctl id = binding.id;
    const int index = binding.index;
    // After an edit the widgets of the control show the model again, also when
    // the model did not take the edit.
    auto reshow = [this, id] {
        for (const Binding& b : m_bindings) {
            if (b.id == id) {
                show(b, true, false);
            }
        }
    };
    QWidget* widget = binding.widget;
    switch (controlInfo(id).kind) {
    case ControlKind::Check:
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            // The box's own state, however it changed: a click, the keyboard,
            // or an assistive technology's Toggle action (which never clicks).
            connect(box, &QCheckBox::toggled, this, [this, id, reshow](bool checked) {
                if (m_settings) {
                    m_settings->setCheck(id, checked ? 1 : 0);
                    reshow();
                }
            });
        }
        break;
    case ControlKind::Group:
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            connectRadio(
                radio, [this, id, index] { m_settings->click(id, index); }, reshow);
        }
        break;
    case ControlKind::Button:
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            connectRadio(
                radio, [this, id] { m_settings->click(id); }, reshow);
        }
        break;
    case ControlKind::Text:
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            // Also text set through the accessibility interface, which edits
            // nothing by keystrokes.
            connect(edit, &QLineEdit::textChanged, this, [this, id](const QString& text) {
                if (m_settings) {
                    m_settings->setText(id, toUtf8(text));
                }
            });
        }
        break;
    case ControlKind::Combo:
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            connect(combo, &QComboBox::currentTextChanged, this, [this, id](const QString& text) {
                if (m_settings) {
                    m_settings->setText(id, toUtf8(comboValue(text)));
                }
            });
        }
        break;
    case ControlKind::Font:
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            connect(combo, &QComboBox::currentTextChanged, this,
                    [this, id, reshow](const QString& text) {
                        if (!m_settings) {
                            return;
                        }
                        try {
                            m_settings->setFromText(id, toUtf8(text));
                        } catch (const std::invalid_argument&) {
                            reshow(); // not a font of the list
                        }
                    });
        }
        break;
    case ControlKind::Control:
        break;
    }
}

void SettingsBinder::connectRadio(QRadioButton* radio, const std::function<void()>& click,
                                  const std::function<void()>& reshow)
{
    // A button that becomes selected, however it happened, runs its handler; a
    // click on the button that was selected already runs it too (such a click
    // toggles nothing, so it is known by the state at the press).
    auto selectedAtPress = std::make_shared<bool>(false);
    auto run = [this, click, reshow] {
        if (m_settings) {
            click();
        }
        reshow();
    };
    connect(radio, &QRadioButton::pressed, this,
            [radio, selectedAtPress] { *selectedAtPress = radio->isChecked(); });
    connect(radio, &QRadioButton::toggled, this, [run](bool on) {
        if (on) {
            run();
        }
    });
    connect(radio, &QRadioButton::clicked, this, [run, selectedAtPress] {
        if (std::exchange(*selectedAtPress, false)) {
            run();
        }
    });
}

void SettingsBinder::attach(Settings* settings)
{
    if (m_settings) {
        m_settings->removeListener(m_listener);
        m_listener = 0;
    }
    m_settings = settings;
    if (m_settings) {
        m_listener =
            m_settings->addListener([this](const SettingsNotice& notice) { noticed(notice); });
        refresh();
    }
}

void SettingsBinder::refresh()
{
    for (const Binding& binding : m_bindings) {
        show(binding, true, true);
    }
}

void SettingsBinder::show(const Binding& binding, bool values, bool items)
{
    QWidget* widget = binding.widget;
    if (!widget || !m_settings) {
        return;
    }
    const Settings& s = *m_settings;
    const Ctl id = binding.id;
    const QSignalBlocker blocker(widget);
    widget->setEnabled(s.enabled(id));
    auto* combo = qobject_cast<QComboBox*>(widget);
    if (items && combo) {
        setItems(combo, s.items(id));
    }
    if (!values) {
        return;
    }
    switch (controlInfo(id).kind) {
    case ControlKind::Check:
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            box->setChecked(s.check(id) == 1);
        }
        break;
    case ControlKind::Group:
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            setRadio(radio, s.group(id) == binding.index);
        }
        break;
    case ControlKind::Button:
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            setRadio(radio, s.selected(id));
        }
        break;
    case ControlKind::Text:
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            const QString text = toQString(s.text(id));
            if (edit->text() != text) {
                edit->setText(text);
            }
        }
        break;
    case ControlKind::Combo:
    case ControlKind::Font:
        if (combo) {
            setComboText(combo, toQString(s.text(id)), items);
        }
        break;
    case ControlKind::Control:
        break;
    }
}

void SettingsBinder::noticed(const SettingsNotice& notice)
{
    if (notice.change == SettingChange::Many) {
        refresh();
        return;
    }
    for (const Binding& binding : m_bindings) {
        if (binding.id != notice.id) {
            continue;
        }
        switch (notice.change) {
        case SettingChange::Focus:
            if (binding.widget && binding.widget->isVisible()) {
                binding.widget->setFocus(Qt::OtherFocusReason);
            }
            break;
        case SettingChange::Items:
            show(binding, false, true);
            break;
        default:
            show(binding, true, false);
        }
    }
}

} // namespace qv
