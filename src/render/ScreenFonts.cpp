#include "render/ScreenFonts.h"

#include "render/QtText.h"

#include <QFontDatabase>
#include <QStringList>

namespace qv {

std::vector<std::string> screenFontFamilies()
{
    QStringList families = QFontDatabase::families();
    families.removeDuplicates();
    std::vector<std::string> fonts;
    fonts.reserve(static_cast<std::size_t>(families.size()));
    for (const QString& family : families) {
        fonts.push_back(toUtf8(family));
    }
    return fonts;
}

} // namespace qv
