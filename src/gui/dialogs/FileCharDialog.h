#pragma once
// The Data File Parameters dialog: a preview of a data file's first two lines and
// the questions how its lines are laid out (labels row, field count, value column,
// uncertainty column). Its widgets are bound to the FileChar controls of the
// settings by a SettingsBinder: every edit goes through the settings' setters, so
// the click rules run in the core, and every change shows at once.

#include "core/model/Prompter.h"
#include "core/model/Settings.h"

#include <QDialog>

#include <span>

class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

class SettingsBinder;

class FileCharDialog : public QDialog
{
    Q_OBJECT

public:
    // Builds the dialog and centres it on the screen; it is then only hidden
    // between uses. OK's refusal of a field that is not a number goes to
    // `prompter` (null: the fields are not checked).
    explicit FileCharDialog(QWidget* parent = nullptr, Prompter* prompter = nullptr);

    // OK: closes the dialog once every number field holds a number.
    void accept() override;

    // Shows the dialog modally on the FileChar controls of `settings` with the
    // preview rows and waits until it is closed; true for OK.
    bool ask(Settings& settings, const DataFilePreview& preview);

    // Shows `settings` and the preview without showing the dialog; null stops.
    void attach(Settings* settings, const DataFilePreview& preview = {});

    SettingsBinder& binder() const { return *m_binder; }

    // A question of the dialog: the label's name and caption, and the control
    // that answers it.
    struct Question
    {
        const char* label;
        const char* caption;
        Ctl answer;
    };

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* makeFrame(const QString& name, const char* title);
    // The widget of a control named after it: a check box, the field count or
    // a column combo box.
    QWidget* makeAnswer(Ctl id, QWidget* parent);
    // Lays out the questions in `frame`, the answers first in the tab order.
    QFormLayout* addQuestions(QGroupBox* frame, std::span<const Question> questions);
    void setPreview(QLabel* label, const std::string& line);

    SettingsBinder* m_binder = nullptr;
    QLabel* m_firstRow = nullptr;
    QLabel* m_secondRow = nullptr;
    QLineEdit* m_ncol = nullptr;
    QPushButton* m_ok = nullptr;
    Prompter* m_prompter = nullptr;
};

} // namespace qv
