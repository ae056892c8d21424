// The clipboard's text cut into the paste buffer's lines.
#include "core/io/PasteText.h"
#include "support/TestLots.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace qv {
namespace {

using Lines = std::vector<std::string>;
using test::numberLines;

TEST(PasteText, CutsClipboardTextIntoBufferLinesInUtf8)
{
    const std::string end(EndOfPaste);
    const std::tuple<std::string, Lines, int> rows[] = {
        {"3\r2\r1\r", {"3", "2", "1", end}, 0},
        {"  1\n 2\n\t3\n4\n\tx", {"1", "4", "\tx", end}, 0}, // the last line is kept as it is
        {"   ", {end}, 0},
        {"1\r\n\r\n2", {}, 5},
        {"\xEF\xBB\xBF" "5\n\xB5g \xE2\x82\xAC", {"5", "\xC2\xB5g \xC3\xA2\xE2\x80\x9A\xC2\xAC", end}, 0},
    };
    for (const auto& [text, lines, errorCode] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(cutPastedText(text).lines, lines);
        EXPECT_EQ(cutPastedText(text).errorCode, errorCode);
    }
    const std::string most = numberLines(99999);
    EXPECT_EQ(cutPastedText(most).lines.size(), 100000u);
    EXPECT_EQ(cutPastedText(most + "2").errorCode, 9);
    EXPECT_EQ(nthField(" a\tb\tc ", 2), "b");
    EXPECT_EQ(nthField("a\tb", 5), "b");
}

} // namespace
} // namespace qv
