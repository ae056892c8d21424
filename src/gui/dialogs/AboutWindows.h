#pragma once
// The About box (frmAbout), which blocks the main window until OK, and the
// About the Calculations window (frmCalculations), which stays open beside the
// chart. Both are created once and then only hidden.

#include <QDialog>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace qv {

// The program's logo at `side` pixels square.
QPixmap programLogo(int side);

class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    // Shows the box over the program's windows, which wait until OK.
    void showAbout();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* m_ok = nullptr;
};

// A dialog in the class sense only (a titled window to assistive technology)
// with the frame of a main window; Escape hides it.
class CalculationsWindow : public QDialog
{
    Q_OBJECT

public:
    explicit CalculationsWindow(QWidget* parent = nullptr);
    // Shows the window without blocking the main window.
    void showWindow();
    QTextBrowser* document() const { return m_document; }

private:
    QTextBrowser* m_document = nullptr;
};

} // namespace qv
