// The chart document's project and clipboard commands: Save File As, the
// project file's overlay and settings blocks during a load, and Paste Data.
#include "core/document/ChartDocument.h"

#include "core/Errors.h"
#include "core/document/FileCommands.h"
#include "core/io/DataFileParser.h"
#include "core/io/PasteText.h"
#include "core/io/ProjectFileReader.h"
#include "core/io/ProjectFileWriter.h"
#include "core/io/SafeFileWriter.h"
#include "core/io/ScaleTexts.h"
#include "core/model/Prompter.h"
#include "core/plot/ChartGeometry.h"

#include <filesystem>
#include <new>
#include <utility>

namespace qv {

namespace {

using enum Ctl;

constexpr const char* SaveFailureTitle = "Save As... Error";

// Selects the manual scale as the saved file has it, keeping the scale texts
// that were written.
void selectSavedScale(Settings& s)
{
    const Settings::Batch batch(s);
    const ScaleTexts written = ScaleTexts::of(s);
    s.selectButton(AxesOpts_Manual);
    written.putBack(s);
}

} // namespace

SavedPositions ChartDocument::projectPositions() const
{
    SavedPositions positions = m_session.sources.savedPositions;
    const Placements& p = m_session.placements;
    if (const auto mapping = mappingOf(scene())) {
        positions[0] = mapping->twipsToY(p.plotText.top);
        positions[1] = mapping->twipsToX(p.plotText.left);
        positions[2] = mapping->twipsToY(p.statsBox.top);
        positions[3] = mapping->twipsToX(p.statsBox.left);
    }
    positions[4] = p.yLabel.top;
    positions[5] = p.yLabel.left;
    return positions;
}

bool ChartDocument::writeProject(const std::string& path)
{
    int failure = 0;
    try {
        setBusy(true);
        const DataSet* overlay = m_session.sources.overlayLoaded ? &m_session.set(2) : nullptr;
        writeFileReplacing(path, projectFileText(m_session.set(1), overlay, m_session.settings,
                                                 projectPositions()));
    } catch (const QvError& e) {
        failure = e.code();
    } catch (const std::bad_alloc&) {
        failure = ErrorCode::OutOfMemory;
    }
    setBusy(false);
    if (failure != 0) {
        m_prompter.message(unexpectedErrorText(failure, ErrorPrefix::Joined), SaveFailureTitle,
                           MessageIcon::Warning);
    }
    return failure == 0;
}

bool ChartDocument::saveAs()
{
    const bool saved = runCommand(SaveFailureTitle, [this] {
        const auto chosen = m_prompter.askSaveFile(saveDialogRequest(m_session));
        if (!chosen) {
            return false;
        }
        rememberFolder(m_session, Session::FileDialogKind::SaveProject, *chosen);
        const std::string path = projectSavePath(*chosen);
        std::error_code ec;
        if (std::filesystem::exists(path, ec) &&
            !m_prompter.confirm("File Already Exists, Overwrite?", "Save File Warning")) {
            return false;
        }
        if (!writeProject(path)) {
            return false;
        }
        m_unsavedWork = false;
        selectSavedScale(m_session.settings);
        m_session.sources.titlePath = path;
        m_session.sources.newDataPath.clear();
        m_session.setTitleFromPath();
        return true;
    });
    if (saved) {
        refreshPlot();
    }
    return saved;
}

bool ChartDocument::applyProjectBlocks(ProjectRead& read, const std::string& path,
                                       int& settingsFailure)
{
    bool overlay = false;
    if (read.overlay) {
        DataSet& set = *read.overlay;
        sortSet(set, set.pointCount);
        set.editGridBuilt = false;
        set.hiliteGridBuilt = false;
        m_session.set(2) = std::move(set);
        m_session.sources.overlayPath = path;
        overlay = true;
    }
    Settings& s = m_session.settings;
    settingsFailure =
        readSettingsBlock(s, read.settingsBlock, m_session.sources.savedPositions, m_fallbackFont)
            .errorCode;
    (void)readExtraSettings(s, read.extraSettings);
    // The bold choices hold from this drawing on, not only after a refresh.
    m_session.window.graphFontBold = s.check(frmPageSetup_chkBoldFont) == 1;
    m_session.window.titleFontBold = s.check(frmPageSetup_chkGraphTitleBold) == 1;
    return overlay;
}

bool ChartDocument::pasteData(const std::optional<std::string>& text)
{
    return runCommand("Clipboard Error", [this, &text] {
        PasteCut cut;
        if (text) {
            cut = cutPastedText(*text);
            if (cut.errorCode != 0) {
                m_prompter.message("Clipboard Error " + codeText(cut.errorCode),
                                   "Check Clipboard Data!", MessageIcon::Warning);
                return false;
            }
        }
        // Nothing but blanks is no data either.
        if (cut.lines.size() < 2) {
            m_prompter.message("Clipboard Data Not Text!", "Clipboard Error", MessageIcon::Warning);
            return false;
        }
        if (!settleUnsavedWork()) {
            return false;
        }
        // The buffer and the paste mode change only when the lines were loaded.
        struct Restore
        {
            Session& session;
            std::vector<std::string> buffer;
            bool mode;
            bool keep = false;
            ~Restore()
            {
                if (!keep) {
                    session.sources.pasteBuffer = std::move(buffer);
                    session.sources.pasteMode = mode;
                }
            }
        } restore{m_session, std::exchange(m_session.sources.pasteBuffer, std::move(cut.lines)),
                  std::exchange(m_session.sources.pasteMode, true)};
        restore.keep = load({LoadKind::Paste, 1, {}, std::nullopt}).status == LoadStatus::Loaded;
        return restore.keep;
    });
}

} // namespace qv
