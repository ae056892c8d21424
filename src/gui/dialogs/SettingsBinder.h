#pragma once
// Binds a dialog's widgets to the controls of the settings model by object
// name, so that a dialog holds only its layout and its OK/Cancel rules.
//
// A widget is bound when the dialog's object name, a dot and the widget's object
// name name a control ("FileChar" + "." + "Labels" is FileChar.Labels); a radio
// button named after an option group with "_" and an index ("CR_2") is that
// group's button. By the control's kind: a check box (Check), a radio button (a
// group's indexed button, or a button of a named pair), a line edit (Text), an
// editable combo box (Combo, its list from the settings), a combo box (Font),
// any widget (Control: its enabling only).
//
// A widget's own change of state (a click, a key, an assistive technology's
// action or text) goes to the control's setter, so its handler runs in the core
// (an option button that becomes selected goes to Settings::click, and so does
// a click on the button that was selected already);
// every change the settings report (a handler's, the plot routine's
// write-backs, a reset) is shown at once with the widget's signals blocked.
// Enabling always follows the model.

#include "core/model/Settings.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QRadioButton;
class QWidget;

namespace qv {

// The object name that binds a widget to control `id` in its dialog: the
// control's name after the dialog's ("PlotOpts.ULimit" gives "ULimit"), with
// "_" and `index` for a button of an option group ("CR_2").
QString controlWidgetName(Ctl id, int index = -1);

class Prompter;

// The first step of every dialog's OK: whether the number fields of `dialog`
// (its object name names them, "PlotOpts") hold numbers. The first that does not
// is named through `prompter` and gets the focus; all that do are stored as
// their canonical texts. Without a prompter nothing is checked.
bool numberFieldsAccepted(QWidget& dialog, Settings& settings, Prompter* prompter);

class SettingsBinder : public QObject
{
    Q_OBJECT

public:
    // Finds the widgets under `root` to bind; widgets added later are not bound.
    explicit SettingsBinder(QWidget& root);
    ~SettingsBinder() override;
    SettingsBinder(const SettingsBinder&) = delete;
    SettingsBinder& operator=(const SettingsBinder&) = delete;

    // Starts showing and editing `settings` (which must outlive the
    // attachment), or stops for null; the widgets then show it at once.
    void attach(Settings* settings);
    Settings* settings() const { return m_settings; }

    // Shows every bound control's value, list and enabling.
    void refresh();

private:
    struct Binding
    {
        Ctl id;
        QPointer<QWidget> widget;
        int index; // a group's button, -1 otherwise
    };

    void bind(QWidget* widget, Ctl id, int index);
    void connectEdits(const Binding& binding);
    // Runs `click` (the model's handler of the button) and then `reshow`.
    void connectRadio(QRadioButton* radio, const std::function<void()>& click,
                      const std::function<void()>& reshow);
    void show(const Binding& binding, bool values, bool items);
    void noticed(const SettingsNotice& notice);

    QWidget& m_root;
    std::vector<Binding> m_bindings;
    Settings* m_settings = nullptr;
    int m_listener = 0;
};

} // namespace qv
