#include "gui/dialogs/HelpWindow.h"

#include "gui/widgets/Twips.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qv {

namespace {

// The collection remembers which manual it holds and when that file was built,
// so a rebuilt or moved manual is registered and indexed afresh.
const QString StampKey = QStringLiteral("quantiview/manualStamp");

QString stampOf(const QFileInfo& file)
{
    return file.canonicalFilePath() + QLatin1Char('|') +
           QString::number(file.lastModified().toMSecsSinceEpoch()) + QLatin1Char('|') +
           QString::number(file.size());
}

// Passes the moving keys of the "Look for" field on to the index list, so the
// list can be walked without leaving the field.
class IndexKeys : public QObject
{
public:
    IndexKeys(QWidget* list, QObject* parent) : QObject(parent), m_list(list) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                key == Qt::Key_PageDown) {
                const auto* press = static_cast<QKeyEvent*>(event);
                QKeyEvent copy(QEvent::KeyPress, press->key(), press->modifiers());
                QCoreApplication::sendEvent(m_list, &copy);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_list;
};

} // namespace

QStringList helpFileCandidates(const QString& programFolder)
{
    const QDir program(programFolder);
    return {QDir::cleanPath(program.absoluteFilePath(QString::fromUtf8(HelpFileName))),
            QDir::cleanPath(program.absoluteFilePath(QStringLiteral("../share/quantiview/") +
                                                     QString::fromUtf8(HelpFileName)))};
}

QString findHelpFile(const QString& programFolder)
{
    if (programFolder.isEmpty() || QDir::isRelativePath(programFolder)) {
        return {};
    }
    const QStringList candidates = helpFileCandidates(programFolder);
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}

QString missingHelpText(const QStringList& candidates)
{
    QString text = QStringLiteral("The help manual %1 was not found. Quantiview looks for it in:")
                       .arg(QString::fromUtf8(HelpFileName));
    for (const QString& candidate : candidates) {
        text +=
            QStringLiteral("\n") + QDir::toNativeSeparators(QFileInfo(candidate).absolutePath());
    }
    return text;
}

QString userHelpCollection()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath() + QStringLiteral("/quantiview");
    }
    return folder + QStringLiteral("/help/quantiview.qhc");
}

HelpBrowser::HelpBrowser(QHelpEngine& engine, QWidget* parent)
    : QTextBrowser(parent), m_engine(engine)
{
    setOpenLinks(true);
    setOpenExternalLinks(true);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (name.scheme() == QLatin1String("qthelp")) {
        return m_engine.fileData(name);
    }
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(const QString& helpFile, const QString& collectionFile, QWidget* parent)
    : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Quantiview Help"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    QDir().mkpath(QFileInfo(collectionFile).absolutePath());
    m_engine = new QHelpEngine(collectionFile, this);
    if (!openEngine(helpFile)) {
        return;
    }
    buildWidgets();
    fitOnScreen(*this, QSize(900, 640));
    centreOnScreen(*this);
}

bool HelpWindow::openEngine(const QString& helpFile)
{
    const QFileInfo file(helpFile);
    const QString name = QHelpEngineCore::namespaceName(helpFile);
    if (!file.isFile() || name.isEmpty()) {
        m_error = QStringLiteral("The help manual %1 cannot be read.")
                      .arg(QDir::toNativeSeparators(helpFile));
        return false;
    }
    bool registered = false;
    // A collection left broken (by a crash or a full disk) is made again once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt > 0) {
            const QString collection = m_engine->collectionFile();
            delete m_engine;
            QFile::remove(collection);
            m_engine = new QHelpEngine(collection, this);
        }
        if (registerManual(helpFile, name, registered)) {
            break;
        }
    }
    if (!m_error.isEmpty()) {
        return false;
    }
    m_home = QUrl(QStringLiteral("qthelp://%1/doc/index.html").arg(name));

    // Searching needs an index of the pages: it is built on the first opening
    // (again after a new manual), and a search asked meanwhile waits for it.
    // The index is brought up to date here only: a second run started by a
    // later setup of the engine would make a search meanwhile find nothing.
    QHelpSearchEngine* search = m_engine->searchEngine();
    disconnect(m_engine, &QHelpEngineCore::setupFinished, search, nullptr);
    connect(search, &QHelpSearchEngine::indexingStarted, this, [this] { m_indexing = true; });
    connect(search, &QHelpSearchEngine::indexingFinished, this, &HelpWindow::indexingDone);
    connect(search, &QHelpSearchEngine::searchingFinished, this,
            [this](int hits) { Q_EMIT searchFinished(hits); });
    m_indexing = true;
    if (registered) {
        search->reindexDocumentation();
    } else {
        search->scheduleIndexDocumentation();
    }
    return true;
}

bool HelpWindow::registerManual(const QString& helpFile, const QString& name, bool& registered)
{
    m_error.clear();
    // The collection is the user's own: it keeps the registration and the search index.
    m_engine->setReadOnly(false);
    m_engine->setUsesFilterEngine(true);
    if (!m_engine->setupData()) {
        m_error = QStringLiteral("The help manual cannot be opened: %1").arg(m_engine->error());
        return false;
    }
    const QString stamp = stampOf(QFileInfo(helpFile));
    if (m_engine->customValue(StampKey).toString() == stamp &&
        !m_engine->documentationFileName(name).isEmpty()) {
        return true;
    }
    m_engine->unregisterDocumentation(name);
    if (!m_engine->registerDocumentation(helpFile) || !m_engine->setCustomValue(StampKey, stamp)) {
        m_error = QStringLiteral("The help manual cannot be opened: %1").arg(m_engine->error());
        return false;
    }
    m_engine->setupData();
    registered = true;
    return true;
}

void HelpWindow::buildWidgets()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabHelp"));
    m_tabs->setAccessibleName(QStringLiteral("Contents, Index and Search"));

    m_contents = m_engine->contentWidget();
    m_contents->setObjectName(QStringLiteral("HelpContents"));
    m_contents->setAccessibleName(QStringLiteral("Contents"));
    m_contents->setParent(m_tabs);
    m_tabs->addTab(m_contents, QStringLiteral("&Contents"));

    auto* indexPage = new QWidget(m_tabs);
    m_lookFor = new QLineEdit(indexPage);
    m_lookFor->setObjectName(QStringLiteral("txtLookFor"));
    m_lookFor->setAccessibleName(QStringLiteral("Look for"));
    auto* lookForLabel = new QLabel(QStringLiteral("&Look for:"), indexPage);
    lookForLabel->setBuddy(m_lookFor);
    m_index = m_engine->indexWidget();
    m_index->setObjectName(QStringLiteral("HelpIndex"));
    m_index->setAccessibleName(QStringLiteral("Index"));
    m_index->setParent(indexPage);
    m_lookFor->installEventFilter(new IndexKeys(m_index, m_lookFor));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(lookForLabel);
    indexLayout->addWidget(m_lookFor);
    indexLayout->addWidget(m_index);
    m_tabs->addTab(indexPage, QStringLiteral("&Index"));

    auto* searchPage = new QWidget(m_tabs);
    QHelpSearchEngine* searchEngine = m_engine->searchEngine();
    m_query = searchEngine->queryWidget();
    m_query->setParent(searchPage);
    m_query->setAccessibleName(QStringLiteral("Search for"));
    QHelpSearchResultWidget* results = searchEngine->resultWidget();
    results->setParent(searchPage);
    results->setAccessibleName(QStringLiteral("Search results"));
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(m_query);
    searchLayout->addWidget(results, 1);
    m_tabs->addTab(searchPage, QStringLiteral("&Search"));

    m_browser = new HelpBrowser(*m_engine, this);
    m_browser->setObjectName(QStringLiteral("HelpPage"));
    m_browser->setAccessibleName(QStringLiteral("Help page"));

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 620});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    connectWidgets(results);
    showPage(m_home);
}

void HelpWindow::connectWidgets(QHelpSearchResultWidget* results)
{
    connect(m_contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::showPage);
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, m_contents,
            [this] { m_contents->expandToDepth(0); });
    connect(m_lookFor, &QLineEdit::textChanged, m_index,
            [this](const QString& text) { m_index->filterIndices(text); });
    connect(m_lookFor, &QLineEdit::returnPressed, m_index, &QHelpIndexWidget::activateCurrentItem);
    connect(m_index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { showPage(link.url); });
    connect(m_index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& links, const QString&) {
                // A keyword of several pages: the user picks one.
                auto* menu = new QMenu(this);
                menu->setAttribute(Qt::WA_DeleteOnClose);
                menu->setAccessibleName(QStringLiteral("Choose a topic"));
                for (const QHelpLink& link : links) {
                    menu->addAction(link.title, this, [this, url = link.url] { showPage(url); });
                }
                const QRect current = m_index->visualRect(m_index->currentIndex());
                menu->popup(m_index->viewport()->mapToGlobal(current.bottomLeft()));
            });
    connect(m_query, &QHelpSearchQueryWidget::search, this,
            [this] { this->search(m_query->searchInput()); });
    connect(results, &QHelpSearchResultWidget::requestShowLink, this, &HelpWindow::showPage);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        const QModelIndex at = m_contents->indexOf(url);
        if (at.isValid()) {
            m_contents->setCurrentIndex(at);
        }
    });
}

void HelpWindow::showPage(const QUrl& url)
{
    if (!m_browser || !url.isValid()) {
        return;
    }
    if (url.scheme() != QLatin1String("qthelp")) {
        QDesktopServices::openUrl(url);
        return;
    }
    m_browser->setSource(url);
}

void HelpWindow::showContents()
{
    if (!m_tabs) {
        return;
    }
    m_tabs->setCurrentIndex(0);
    showPage(m_home);
    show();
    raise();
    activateWindow();
    m_contents->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::showIndex()
{
    if (!m_tabs) {
        return;
    }
    m_tabs->setCurrentIndex(1);
    show();
    raise();
    activateWindow();
    m_lookFor->setFocus(Qt::OtherFocusReason);
    m_lookFor->selectAll();
}

bool HelpWindow::showKeyword(const QString& keyword)
{
    if (!m_tabs) {
        return false;
    }
    const QList<QHelpLink> links = m_engine->documentsForKeyword(keyword);
    if (links.isEmpty()) {
        return false;
    }
    m_tabs->setCurrentIndex(1);
    m_lookFor->setText(keyword);
    showPage(links.front().url);
    return true;
}

void HelpWindow::search(const QString& query)
{
    if (query.trimmed().isEmpty()) {
        return;
    }
    if (m_indexing) {
        m_pendingQuery = query;
        return;
    }
    m_engine->searchEngine()->search(query);
}

void HelpWindow::indexingDone()
{
    m_indexing = false;
    if (!m_pendingQuery.isEmpty()) {
        const QString query = m_pendingQuery;
        m_pendingQuery.clear();
        m_engine->searchEngine()->search(query);
    }
}

} // namespace qv
