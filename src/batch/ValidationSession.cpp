#include "batch/ValidationSession.h"

#include "batch/OutputNames.h"
#include "batch/PictureCase.h"
#include "core/Units.h"
#include "render/ScreenFonts.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <vector>

namespace qv {

namespace {

// The chart is laid out for the batch mode's default screen.
constexpr int ScreenWidthPixels = 1024;
constexpr int ScreenHeightPixels = 768;

// The batch-side kinds; those of the core come first.
constexpr CaseKind BatchKinds[] = {
    {"picture", runPictureCase},
};

} // namespace

std::span<const CaseKind> validationCaseKinds()
{
    static const std::vector<CaseKind> kinds = [] {
        std::vector<CaseKind> all(coreCaseKinds().begin(), coreCaseKinds().end());
        all.insert(all.end(), std::begin(BatchKinds), std::end(BatchKinds));
        return all;
    }();
    return kinds;
}

QString programCorpusFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/quantiview/validation"));
}

ValidationSession::ValidationSession(const QString& corpusFolder) : m_corpusFolder(corpusFolder)
{
    CaseContext context;
    context.corpusFolder = nameBytes(corpusFolder);
    context.scratchFolder = nameBytes(m_scratch.path());
    context.measurer = &m_measurer;
    context.fonts = screenFontFamilies();
    context.fallbackFont = ArialTwin;
    context.layout = designLayout(ScreenWidthPixels * TwipsPerScreenPixel,
                                  ScreenHeightPixels * TwipsPerScreenPixel);
    m_run = std::make_unique<ValidationRun>(std::move(context), validationCaseKinds());
}

} // namespace qv
