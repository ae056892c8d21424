#pragma once
// What the option dialogs share: widgets named after the controls they show
// (a SettingsBinder ties them to the settings), captions, tooltips and names
// for screen readers, the fields whose whole text is selected when they get
// the focus, the focus on OK at every showing, centring on the screen when
// built, and how the user left the dialog (OK, Cancel, or a switch to another).
// Escape and the title bar's close button act as the dialog's Cancel.

#include "core/document/OptionDialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv {

class Settings;
class SettingsBinder;

class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    SettingsBinder& binder() const { return *m_binder; }
    Settings& settings() const { return m_settings; }
    QPushButton* okButton() const { return m_ok; }

    // Shows the dialog modally until the user leaves it; how they left it.
    DialogExit run();
    // How the dialog was last left (Cancel until then).
    DialogExit exitCode() const { return m_exit; }

    // The dialog's OK: its rules, then it closes when they allow.
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

    // Widgets named after their controls, with caption and tooltip.
    QCheckBox* makeCheck(const char* name, const char* caption, const char* tooltip,
                         QWidget* parent);
    QRadioButton* makeRadio(const char* name, const char* caption, QWidget* parent);
    QLineEdit* makeField(const char* name, const char* tooltip, QWidget* parent);
    // A caption for `buddy`; the buddy's name for screen readers.
    QLabel* makeLabel(const char* name, const char* caption, QWidget* buddy, QWidget* parent);
    QGroupBox* makeFrame(const char* name, const char* title, const char* tooltip,
                         QWidget* parent);
    QPushButton* makeButton(const char* name, const char* caption, const char* tooltip,
                            QWidget* parent);
    // A free-text combo box with a drop-down list from the settings.
    QComboBox* makeCombo(const char* name, QWidget* parent);

    // Selects the whole text of a line edit or an editable combo box whenever
    // it gets the focus.
    void selectAllOnFocus(QWidget* field);

    // After the widgets are built: binds them to the settings, names every
    // control for screen readers, sizes the dialog to its contents and centres
    // it on the screen. `ok` gets the focus at every showing.
    void finish(QPushButton* ok);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leave(DialogExit exit);

    Settings& m_settings;
    SettingsBinder* m_binder = nullptr;
    QPushButton* m_ok = nullptr;
    DialogExit m_exit = DialogExit::Cancel;
};

// A caption as a screen reader says it: without the access-key markers ("&&"
// stays a literal "&").
QString withoutAccessKey(const QString& caption);

} // namespace qv
