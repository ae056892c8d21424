#pragma once
// The program's texts are UTF-8 std::strings; Qt's are QStrings. Every crossing
// goes through these two.

#include <QString>

#include <string>
#include <string_view>

namespace qv {

// The text as a QString, read as UTF-8.
inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The QString as UTF-8.
inline std::string toUtf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace qv
