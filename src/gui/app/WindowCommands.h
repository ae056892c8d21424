#pragma once
// The main window's commands that send the chart out (Copy Graph, Save Graph
// As, Print) or open windows of their own (the two data editors, the help
// window, About the Calculations, the About box, the Sampling Plan window). Each window is created
// on first use and then only hidden.

#include "core/document/PointEditor.h"

#include <QImage>
#include <QPointer>
#include <QString>

#include <array>
#include <memory>

class QWidget;

namespace qv {

class AboutDialog;
class CalculationsWindow;
class ChartDocument;
class DataEditorDialog;
class HelpWindow;
class InstallationValidation;
class SamplingPlanWindow;
class TextMeasurer;
class TwipScale;

class WindowCommands
{
public:
    // The commands act on `document`; their windows open over `window`, the
    // chart leaves at the scale of `twips` and the Sampling Plan window measures
    // its texts with `measurer`. All of them must outlive the commands.
    WindowCommands(ChartDocument& document, const TwipScale& twips, const TextMeasurer& measurer,
                   QWidget& window);
    ~WindowCommands();
    WindowCommands(const WindowCommands&) = delete;
    WindowCommands& operator=(const WindowCommands&) = delete;

    // The window's client area as the user sees it (chart, title, axis label and
    // the boxes where they stand), painted from the last drawing at the
    // window's own scale: what Copy Graph and Save Graph As take.
    QImage windowPicture() const;

    void copyGraph();
    void saveGraphAs();
    void print();
    // The editor's opening command; its OK redraws the chart once.
    void openEditor(EditorKind kind);
    void helpContents();
    void helpIndex();
    void calculations();
    void about();
    // Help > Validate Installation...: runs the validation corpus and opens its report.
    void validateInstallation();
    // The validation command's settings: where the report opens (tests replace
    // the PDF viewer) and which corpus runs.
    InstallationValidation& installationValidation() { return *m_validation; }
    // Options > Sampling Plan: shows the window beside the chart with the
    // decisions on the main lot of the last drawing.
    void samplingPlan();

    // Where the help manual is looked for (beside the program by default) and
    // the user's collection it is registered in.
    void setHelpLocation(const QString& programFolder, const QString& collectionFile);

    // The windows, null before their first use.
    DataEditorDialog* editor(EditorKind kind) const;
    HelpWindow* helpWindow() const;
    AboutDialog* aboutBox() const;
    CalculationsWindow* calculationsWindow() const;
    SamplingPlanWindow* samplingPlanWindow() const;

private:
    // The help window, created on first use; null (after a message) when the
    // manual cannot be found or opened.
    HelpWindow* ensureHelp();

    ChartDocument& m_document;
    const TwipScale& m_twips;
    const TextMeasurer& m_measurer;
    QWidget& m_window;
    std::array<QPointer<DataEditorDialog>, 2> m_editors;
    QPointer<HelpWindow> m_help;
    QPointer<AboutDialog> m_about;
    QPointer<CalculationsWindow> m_calculations;
    QPointer<SamplingPlanWindow> m_samplingPlan;
    QString m_programFolder;
    QString m_helpCollection;
    std::unique_ptr<InstallationValidation> m_validation;
};

} // namespace qv
