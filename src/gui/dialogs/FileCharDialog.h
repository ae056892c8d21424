#pragma once
// The Data File Parameters dialog: a preview of a data file's first two lines and
// the questions how its lines are laid out (labels row, field count, value column,
// uncertainty column). It is a view on the session's FileChar settings: every edit
// goes through the settings' setters, so the click rules run in the core, and the
// dialog then shows the settings again.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

class Session;

class FileCharDialog : public QDialog
{
    Q_OBJECT

public:
    // Builds the dialog and centres it on the screen; it is then only hidden
    // between uses.
    explicit FileCharDialog(QWidget* parent = nullptr);

    // Shows the dialog modally on the session's FileChar controls and preview
    // rows and waits until it is closed. True for OK; sets fileCharAccepted.
    bool ask(Session& session);

    // Shows the values and enabled states of the session the dialog works on.
    void refresh();

    // The session while the dialog is shown by ask() or attached by attach().
    void attach(Session* session);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void labelsClicked(bool checked);
    void errorBarsClicked(bool checked);
    void ncolEdited(const QString& text);
    void colNChanged(const QString& text);
    void errorColumnChanged(const QString& text);
    void setPreview(QLabel* label, const std::string& line);

    Session* m_session = nullptr;
    bool m_refreshing = false;

    QGroupBox* m_frame1 = nullptr;
    QLabel* m_firstRow = nullptr;
    QLabel* m_secondRow = nullptr;
    QGroupBox* m_frame3 = nullptr;
    QCheckBox* m_labels = nullptr;
    QLineEdit* m_ncol = nullptr;
    QComboBox* m_colN = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QLabel* m_errorBarsLabel = nullptr;
    QCheckBox* m_errorBars = nullptr;
    QLabel* m_errorColumnLabel = nullptr;
    QComboBox* m_errorColumn = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace qv
