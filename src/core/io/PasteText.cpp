#include "core/io/PasteText.h"

#include "core/Errors.h"
#include "core/io/TextEncoding.h"
#include "core/io/TextFile.h"

namespace qv {

PasteCut cutPastedText(std::string_view raw)
{
    const std::string utf8 = toUtf8Text(raw);
    const std::string_view text = trimBlanks(utf8);
    PasteCut cut;
    auto store = [&cut](std::string_view line) {
        if (cut.lines.size() + 1 >= PasteBufferLines) {
            raise(ErrorCode::SubscriptOutOfRange);
        }
        cut.lines.emplace_back(line);
    };
    try {
        std::size_t start = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c != '\n' && c != '\r') {
                continue;
            }
            const std::string_view line = text.substr(start, i - start);
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
            if (line.empty()) {
                raise(ErrorCode::InvalidArgument);
            }
            if (line.front() != ' ' && line.front() != '\t') {
                store(line);
            }
        }
        if (start < text.size()) {
            store(text.substr(start));
        }
    } catch (const QvError& e) {
        cut.lines.clear();
        cut.errorCode = e.code();
        return cut;
    }
    cut.lines.emplace_back(EndOfPaste);
    return cut;
}

std::string nthField(std::string_view line, int n)
{
    line = trimBlanks(line);
    for (int i = 1; i < n; ++i) {
        const auto tab = line.find('\t');
        if (tab == std::string_view::npos) {
            break;
        }
        line.remove_prefix(tab + 1);
    }
    return std::string(line.substr(0, line.find('\t')));
}

} // namespace qv
