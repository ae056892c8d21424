#pragma once
// The help manual in a window of the program's own (frmHelp): its contents as a
// tree, its keyword index, full-text search, and the page beside them. The
// manual is a Qt compressed help file found beside the program or in the
// install tree's data folder; it is registered in a collection of the user's
// own (a writable folder, where the search index is kept too).

#include <QDialog>
#include <QStringList>
#include <QTextBrowser>
#include <QUrl>

class QHelpContentWidget;
class QHelpEngine;
class QHelpIndexWidget;
class QHelpSearchQueryWidget;
class QHelpSearchResultWidget;
class QLineEdit;
class QTabWidget;

namespace qv {

inline constexpr const char* HelpFileName = "quantiview.qch";

// The places the manual is looked for, in order: beside the program in
// `programFolder`, then the install tree's data folder ../share/quantiview
// relative to it. Never the current folder.
QStringList helpFileCandidates(const QString& programFolder);

// The first candidate that is a file, empty when there is none.
QString findHelpFile(const QString& programFolder);

// The message shown when the manual is in none of the candidate places.
QString missingHelpText(const QStringList& candidates);

// The collection of the user's own that the manual is registered in.
QString userHelpCollection();

// A page viewer that reads the manual's qthelp:// pages from the help engine.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QHelpEngine& m_engine;
};

// A dialog in the class sense only: a titled window to assistive technology,
// with the frame of a main window.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    // Opens the manual `helpFile` through the collection `collectionFile`
    // (created when missing, its folder too). When that fails, errorText()
    // says why and the window must not be shown.
    HelpWindow(const QString& helpFile, const QString& collectionFile, QWidget* parent = nullptr);

    QString errorText() const { return m_error; }

    // Shows the window on the Contents tab at the manual's first page.
    void showContents();
    // Shows the window on the Index tab, ready to type a keyword.
    void showIndex();
    // Shows the first page the index keyword `keyword` leads to, in the index
    // too; false when the index has no such keyword.
    bool showKeyword(const QString& keyword);
    // Full-text search for `query`; runs as soon as the search index is ready.
    void search(const QString& query);

    QHelpEngine& engine() const { return *m_engine; }
    HelpBrowser* browser() const { return m_browser; }
    QTabWidget* tabs() const { return m_tabs; }

Q_SIGNALS:
    // A search has finished with `hits` results.
    void searchFinished(int hits);

private:
    bool openEngine(const QString& helpFile);
    // Registers the manual in the collection unless it holds this very file
    // already; `registered` is set when it was registered afresh.
    bool registerManual(const QString& helpFile, const QString& name, bool& registered);
    void buildWidgets();
    // Joins the built widgets' signals: pages shown, the index filtered, searches run.
    void connectWidgets(QHelpSearchResultWidget* results);
    void showPage(const QUrl& url);
    void indexingDone();

    QHelpEngine* m_engine = nullptr;
    QString m_error;
    QUrl m_home;
    bool m_indexing = false;
    QString m_pendingQuery;

    QTabWidget* m_tabs = nullptr;
    QHelpContentWidget* m_contents = nullptr;
    QLineEdit* m_lookFor = nullptr;
    QHelpIndexWidget* m_index = nullptr;
    QHelpSearchQueryWidget* m_query = nullptr;
    HelpBrowser* m_browser = nullptr;
};

} // namespace qv
