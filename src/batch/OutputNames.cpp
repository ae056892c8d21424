#include "batch/OutputNames.h"

#include "batch/BatchArguments.h"
#include "batch/UsageError.h"
#include "core/io/FilePaths.h"
#include "render/QtText.h"

#include <QFileInfo>

#include <map>
#include <tuple>

namespace qv {

namespace {

// The text in an output name that stands for each FILE's name.
constexpr const char* NamePlaceholder = "{name}";

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
    const QString name = QFileInfo(file).completeBaseName();
    const auto expand = [&name](QString pattern) {
        return pattern.replace(QLatin1String(NamePlaceholder), name);
    };
    return {expand(arguments.exportPath), expand(arguments.ocCurvePath),
            expand(arguments.saveProject)};
}

std::string nameBytes(const QString& name)
{
    return fileNameBytes(name.toStdU16String());
}

void checkOutputNames(const BatchArguments& arguments)
{
    requirePlaceholders(arguments);
    // The inputs, by the file they are: an output must not replace one.
    std::map<std::string, QString> inputs;
    for (const QString& file : arguments.files) {
        inputs.emplace(fileIdentity(nameBytes(file)), file);
    }
    if (!arguments.overlay.isEmpty()) {
        inputs.emplace(fileIdentity(nameBytes(arguments.overlay)), arguments.overlay);
    }
    std::map<std::string, QString> written; // the file as the system sees it -> who writes it
    for (const QString& file : arguments.files) {
        const OutputNames outputs = OutputNames::forLot(arguments, file);
        const std::tuple<const char*, const QString&, const QString&> lotOutputs[] = {
            {"--export", arguments.exportPath, outputs.exportPath},
            {"--oc-curve", arguments.ocCurvePath, outputs.ocCurvePath},
            {"--save-project", arguments.saveProject, outputs.saveProject}};
        for (const auto& [option, given, out] : lotOutputs) {
            if (given.isEmpty()) {
                continue;
            }
            if (out.isEmpty()) {
                throw UsageError(std::string(option) + " " + toUtf8(given) + " names no file for " +
                                 toUtf8(file));
            }
            const std::string identity = fileIdentity(nameBytes(out));
            if (const auto input = inputs.find(identity); input != inputs.end()) {
                throw UsageError(std::string(option) + " " + toUtf8(out) + " is the input file " +
                                 toUtf8(input->second) + ", which it would replace");
            }
            const auto [at, inserted] = written.emplace(identity, file);
            if (!inserted) {
                throw UsageError(toUtf8(out) + " would be written twice (for " +
                                 toUtf8(at->second) +
                                 (at->second == file ? "" : " and " + toUtf8(file)) + ")");
            }
        }
    }
}

} // namespace qv
