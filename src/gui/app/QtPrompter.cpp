#include "gui/app/QtPrompter.h"

#include "gui/dialogs/FileCharDialog.h"
#include "gui/output/ChartOutput.h"
#include "render/QtText.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QPrintDialog>
#include <QRegularExpression>

namespace qv {

QStringList qtNameFilters(const std::string& filter)
{
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        QStringList globs = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& glob : globs) {
            glob = glob.trimmed();
            if (glob == QLatin1String("*.*")) {
                glob = QStringLiteral("*");
            }
        }
        const QString qtPattern =
            QLatin1Char('(') + globs.join(QLatin1Char(' ')) + QLatin1Char(')');
        const QString ownPattern = QLatin1Char('(') + pattern + QLatin1Char(')');
        if (name.endsWith(ownPattern)) {
            name.chop(ownPattern.size());
            name = name.trimmed();
        }
        filters << name + QLatin1Char(' ') + qtPattern;
    }
    return filters;
}

namespace {

// `path` with the extension of the name filter's first "*.ext" pattern added
// when its file name has none.
QString withFilterExtension(const QString& path, const QString& nameFilter)
{
    if (!QFileInfo(path).suffix().isEmpty()) {
        return path;
    }
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(nameFilter);
    return match.hasMatch() ? path + QLatin1Char('.') + match.captured(1) : path;
}

} // namespace

QMessageBox::Icon qtMessageIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning:
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QtPrompter::QtPrompter(QWidget* parent) : m_parent(parent) {}

QtPrompter::~QtPrompter()
{
    delete m_fileChar.data();
}

QWidget* QtPrompter::dialogParent() const
{
    if (m_parent) {
        return m_parent.data();
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (qobject_cast<QMainWindow*>(window) && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

std::optional<std::string> QtPrompter::askFile(const FileDialogRequest& request, bool save)
{
    QString title = toQString(request.title);
    if (title.isEmpty()) {
        title = save ? QStringLiteral("Save As") : QStringLiteral("Open");
    }
    QFileDialog dialog(dialogParent(), title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The commands ask their own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype entry = request.filterIndex - 1;
        dialog.selectNameFilter(filters[entry >= 0 && entry < filters.size() ? entry : 0]);
    }
    if (!request.initialFolder.empty()) {
        dialog.setDirectory(toQString(request.initialFolder));
    }
    if (!request.proposedName.empty()) {
        dialog.selectFile(toQString(request.proposedName));
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    QString path = chosen.front();
    if (save && request.extensionFromFilter) {
        path = withFilterExtension(path, dialog.selectedNameFilter());
    }
    return toUtf8(QDir::toNativeSeparators(path));
}

std::optional<std::string> QtPrompter::askOpenFile(const FileDialogRequest& request)
{
    return askFile(request, false);
}

std::optional<std::string> QtPrompter::askSaveFile(const FileDialogRequest& request)
{
    return askFile(request, true);
}

bool QtPrompter::askDataFileParameters(Settings& settings, const DataFilePreview& preview)
{
    if (!m_fileChar) {
        m_fileChar = new FileCharDialog(dialogParent(), this);
    }
    return m_fileChar->ask(settings, preview);
}

bool QtPrompter::confirm(const std::string& text, const std::string& title)
{
    QMessageBox box(QMessageBox::Warning, toQString(title), toQString(text),
                    QMessageBox::Ok | QMessageBox::Cancel, dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

SaveChoice QtPrompter::askSaveChanges(const std::string& text, const std::string& title)
{
    QMessageBox box(QMessageBox::Question, toQString(title), toQString(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

void QtPrompter::message(const std::string& text, const std::string& title, MessageIcon icon)
{
    QMessageBox box(qtMessageIcon(icon), toQString(title), toQString(text), QMessageBox::Ok,
                    dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtPrompter::askPrint(PrintTarget& target)
{
    auto* qtTarget = dynamic_cast<QtPrintTarget*>(&target);
    if (!qtTarget) {
        return false;
    }
    QPrintDialog dialog(&qtTarget->printer(), dialogParent());
    dialog.setWindowTitle(QStringLiteral("Print"));
    // On a machine without printers, a PDF file is the only way to print.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace qv
