#pragma once
// What the option dialogs share: widgets named after the controls they show
// (a SettingsBinder ties them to the settings), captions, tooltips and names
// for screen readers, the fields whose whole text is selected when they get
// the focus, the focus on OK at every showing, centring on the screen when
// built, and how the user left the dialog (OK, Cancel, or a switch to another).
// Escape and the title bar's close button act as the dialog's Cancel.
//
// A dialog declares its controls in tables (control, caption with its access
// key, tooltip, arrangement) that the functions below lay out; the object
// names come from the control table, so no dialog spells them by hand.

#include "core/document/OptionDialogs.h"
#include "core/model/Settings.h"

#include <QDialog>

#include <functional>
#include <initializer_list>
#include <vector>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv {

class Prompter;
class SettingsBinder;

// A widget's object name: a control's (a group's button with its index), which
// binds the widget to that control, or a name of its own for a widget that
// holds no setting.
struct WidgetName
{
    WidgetName(Ctl id, int buttonIndex = -1) : control(id), index(buttonIndex) {}
    WidgetName(const char* ownName) : own(ownName) {}

    Ctl control = Ctl::Count;
    int index = -1;
    const char* own = nullptr;
};

// A check box of a table.
struct CheckEntry
{
    Ctl id;
    const char* caption;
    const char* tooltip;
};

// A labelled text field of a table.
struct FieldEntry
{
    WidgetName label;
    const char* caption;
    Ctl field;
    const char* tooltip;
};

// How the option buttons of a frame stand.
enum class Arrangement
{
    Column,      // one under the other
    ColumnAtTop, // one under the other, the room left below them
    Row,         // side by side
    TwoColumns,  // row by row, two in a row
};

// A frame of option buttons: the buttons of an option group in the order of
// their indexes, or the two buttons of a pair (the first one named, then its
// partner), with their captions.
struct ChoiceFrame
{
    WidgetName frame;
    const char* title;
    const char* tooltip;
    Ctl buttons;
    std::initializer_list<const char*> captions;
    Arrangement arrangement;
};

// A push button of the button row and what its click does.
struct ButtonEntry
{
    const char* name;
    const char* caption;
    const char* tooltip;
    std::function<void()> clicked;
};

class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    SettingsBinder& binder() const { return *m_binder; }
    Settings& settings() const { return m_settings; }
    QPushButton* okButton() const { return m_ok; }

    // Where the OK's refusal of a field that is not a number is shown; without
    // one the fields are not checked.
    void setPrompter(Prompter* prompter) { m_prompter = prompter; }

    // Shows the dialog modally until the user leaves it; how they left it.
    DialogExit run();
    // How the dialog was last left (Cancel until then).
    DialogExit exitCode() const { return m_exit; }

    // The dialog's OK: every number field must hold a number (the field that
    // does not gets the focus), then its rules; it closes when they allow.
    void ok();
    // The dialog's Cancel, also for Escape and the close button.
    void reject() override;
    // A button that goes to another dialog: this one closes without its rules.
    void switchTo(DialogExit exit);

protected:
    // `objectName` is the dialog's name in the settings ("PlotOpts").
    SettingsDialog(const char* objectName, const char* caption, Settings& settings,
                   QWidget* parent);

    // The OK rules; false keeps the dialog open.
    virtual bool okRules() { return true; }
    // The Cancel rules.
    virtual void cancelRules() {}

    // Widgets with their names, captions and tooltips (a null tooltip: none).
    // A control's widget throws std::logic_error when the control belongs to
    // another dialog.
    QCheckBox* makeCheck(const CheckEntry& check, QWidget* parent);
    QRadioButton* makeRadio(const WidgetName& name, const char* caption, QWidget* parent);
    QLineEdit* makeField(Ctl id, const char* tooltip, QWidget* parent);
    // A caption for `buddy`; the buddy's name for screen readers.
    QLabel* makeLabel(const WidgetName& name, const char* caption, QWidget* buddy, QWidget* parent);
    QGroupBox* makeFrame(const WidgetName& name, const char* title, const char* tooltip,
                         QWidget* parent);
    QPushButton* makeButton(const WidgetName& name, const char* caption, const char* tooltip,
                            QWidget* parent);
    // A free-text combo box with a drop-down list from the settings.
    QComboBox* makeCombo(Ctl id, QWidget* parent);
    // The widget of control `id` built so far.
    template <typename T> T* widget(Ctl id) const { return findChild<T*>(objectNameOf(id)); }

    // The check boxes of a table, one after the other in `layout`.
    void addChecks(QBoxLayout* layout, std::initializer_list<CheckEntry> checks, QWidget* parent);
    // The fields of a table under each other, each after its label; `shape`
    // (when given) sizes each field.
    QFormLayout* makeFields(std::initializer_list<FieldEntry> fields,
                            const std::function<void(QLineEdit*)>& shape = {});
    QGroupBox* makeChoices(const ChoiceFrame& choices, QWidget* parent);
    // A frame of two choices, automatic and manual, and beside the manual one
    // the combo box of its number with `places` as its label.
    QGroupBox* makePrecision(const ChoiceFrame& choices, Ctl combo, const WidgetName& places,
                             const char* placesCaption);

    // The row of OK, Cancel and the button that goes to `other`, as the option
    // dialogs have it at the bottom right.
    std::vector<ButtonEntry> optionButtons(const char* okTooltip, const char* cancelTooltip,
                                           ButtonEntry other);
    // Lays out `rows` from the top and under them, after a gap, the row of
    // `buttons` at the right (the first one is OK), then finishes the dialog.
    void layOut(std::initializer_list<QLayout*> rows, const std::vector<ButtonEntry>& buttons);

    // Selects the whole text of a line edit or an editable combo box whenever
    // it gets the focus.
    void selectAllOnFocus(QWidget* field);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leave(DialogExit exit);
    // The object name of `name` in this dialog.
    QString objectNameOf(const WidgetName& name) const;
    // After the widgets are built: binds them to the settings, names every
    // control for screen readers, sizes the dialog to its contents and centres
    // it on the screen. `ok` gets the focus at every showing.
    void finish(QPushButton* ok);

    Settings& m_settings;
    SettingsBinder* m_binder = nullptr;
    QPushButton* m_ok = nullptr;
    DialogExit m_exit = DialogExit::Cancel;
    Prompter* m_prompter = nullptr;
};

// A caption as a screen reader says it: without the access-key markers ("&&"
// stays a literal "&").
QString withoutAccessKey(const QString& caption);

// Names `field` for screen readers by its label's `caption` (without the access
// key), and the text field inside it when it is an editable combo box, which
// would else be named by the value it shows.
void nameByLabel(QWidget* field, const QString& caption);

} // namespace qv
