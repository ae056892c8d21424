#include "batch/OutputNames.h"

#include "batch/BatchArguments.h"
#include "batch/UsageError.h"
#include "render/QtText.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace qv {

namespace {

// The text in an output name that stands for each FILE's name.
constexpr const char* NamePlaceholder = "{name}";

// A FILE as given, without the double quotes the command line may wrap it in.
QString unquoted(const QString& file)
{
    const QString trimmed = file.trimmed();
    if (trimmed.size() >= 2 && trimmed.startsWith(QLatin1Char('"')) &&
        trimmed.endsWith(QLatin1Char('"'))) {
        return trimmed.mid(1, trimmed.size() - 2);
    }
    return file;
}

void requirePlaceholders(const BatchArguments& arguments)
{
    if (arguments.files.size() <= 1) {
        return;
    }
    for (const auto& [option, out] : {std::pair{"--export", arguments.exportPath},
                                      std::pair{"--oc-curve", arguments.ocCurvePath},
                                      std::pair{"--save-project", arguments.saveProject}}) {
        if (!out.isEmpty() && !out.contains(QLatin1String(NamePlaceholder))) {
            throw UsageError(std::string("with several FILEs, ") + option +
                             " needs {name} in OUT, for example charts/{name}.png");
        }
    }
}

} // namespace

OutputNames OutputNames::forLot(const BatchArguments& arguments, const QString& file)
{
    const QString name = QFileInfo(unquoted(file)).completeBaseName();
    const auto expand = [&name](QString pattern) {
        return pattern.replace(QLatin1String(NamePlaceholder), name);
    };
    return {expand(arguments.exportPath), expand(arguments.ocCurvePath),
            expand(arguments.saveProject)};
}

void checkOutputNames(const BatchArguments& arguments)
{
    requirePlaceholders(arguments);
    std::map<QString, QString> written; // the file as the system sees it -> who writes it
    for (const QString& file : arguments.files) {
        const OutputNames outputs = OutputNames::forLot(arguments, file);
        for (const QString* out :
             {&outputs.exportPath, &outputs.ocCurvePath, &outputs.saveProject}) {
            if (out->isEmpty()) {
                continue;
            }
            const QString key = QDir::cleanPath(QFileInfo(*out).absoluteFilePath());
            const auto [at, inserted] = written.emplace(key, file);
            if (!inserted) {
                throw UsageError(toUtf8(*out) + " would be written twice (for " +
                                 toUtf8(at->second) +
                                 (at->second == file ? "" : " and " + toUtf8(file)) + ")");
            }
        }
    }
}

} // namespace qv
