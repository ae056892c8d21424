#pragma once
// What Save Graph As and Print decide before a picture is painted: the proposed
// bitmap name, the file dialog, the overwrite question, the page orientation
// and the fitting of the picture to the printable area. Qt-free.

#include "core/model/PageOrientation.h"
#include "core/model/Prompter.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

class Session;
class Settings;

inline constexpr const char* GraphFilter =
    "All Files (*.*)|*.*|BMP Files (*.bmp)|*.bmp|PNG Files (*.png)|*.png|SVG Files "
    "(*.svg)|*.svg|PDF Files (*.pdf)|*.pdf";
inline constexpr int GraphFilterBitmapEntry = 2;
inline constexpr const char* DefaultGraphName = "GRAPH1.BMP";
inline constexpr const char* OverwriteQuestion = "File Already Exists, Overwrite?";
inline constexpr const char* OverwriteTitle = "Save File Warning";
inline constexpr const char* SaveGraphErrorTitle = "Save As... Error";
inline constexpr const char* PrintErrorTitle = "Print Error";
inline constexpr const char* ClipboardErrorTitle = "Clipboard Error";

// The name Save Graph As proposes: "GRAPH1.BMP" when no file has been read,
// otherwise the path of the file last read with its extension (the text after
// the last "." of its last part) replaced by "BMP", or ".BMP" added when it has
// none. The path keeps its case: "/data/Run1.csv" gives "/data/Run1.BMP".
std::string proposedGraphName(std::string_view sourcePath);

// The file dialog of Save Graph As: the filter with the bitmap entry selected,
// the folder it last saved in (the documents folder until the first Open,
// then the dialog's own default), and the proposed name; a name chosen without an
// extension takes the one of the filter entry selected.
FileDialogRequest saveGraphRequest(const Session& session);

// Save Graph As: asks the file name; when the file exists, asks the overwrite
// question, whose Cancel ends the command; then `write(path)` writes the
// picture and returns 0, or the code of its failure, which is shown as
// "Unexpected Error " and the code under "Save As... Error". Cancel in the
// dialog ends the command silently. Returns true when the picture was written.
bool saveGraphAs(Session& session, Prompter& prompter,
                 const std::function<int(const std::string&)>& write);

// The page orientation Print sets: the Page Setup choice, or Unchanged when
// neither button of its orientation group is selected.
PageOrientation printOrientation(const Settings& settings);

// A width and a height in one unit of length (millimetres on the printed page).
struct PageExtent
{
    double width = 0;
    double height = 0;
};

// The printed size of a picture fitted to a printable area, keeping the
// picture's proportions: a picture wider in proportion than the area fills its
// width (space left below), any other fills its height (space left at the
// right). Both extents must be in the same physical unit, so that devices with
// unequal horizontal and vertical resolutions do not stretch the picture.
// Nothing for a picture or an area without size or with a non-finite side.
std::optional<PageExtent> fitPictureToPage(PageExtent picture, PageExtent printable);

} // namespace qv
