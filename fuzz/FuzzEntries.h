#pragma once
// The entry points of the fuzz targets: each takes any bytes, feeds them to one
// reader or formatter the way the program does, and checks what a user relies
// on (codes the messages know, counts that match, numbers that read back, text
// that saves and reopens to the same text). A broken rule raises FuzzFailure;
// the fuzz targets turn it into a crash report, the regression tests into a
// failed test. Memory faults are left to the sanitizers.

#include <span>
#include <stdexcept>
#include <string_view>

namespace qv::fuzz {

class FuzzFailure : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

using Entry = void (*)(std::string_view bytes);

struct NamedEntry
{
    const char* name; // the target's name: fuzz_<name>, fuzz/corpus/<name>/
    Entry entry;
};

// Number reading of every data field and dialog text.
void numberReader(std::string_view bytes);
// The data-line splitter and the labels row.
void lineSplitter(std::string_view bytes);
// A data file: decoding, lines, the dialog's prefill, the points by a layout
// taken from the first bytes, and the sort.
void dataFile(std::string_view bytes);
// A project file: its point lines and overlay block, its settings block
// applied to fresh settings, and the save of what was read, which must reopen
// to the same text.
void projectFile(std::string_view bytes);
// Clipboard text cut into the paste buffer, and the fields of a pasted row.
void pasteText(std::string_view bytes);
// Text brought to UTF-8.
void textEncoding(std::string_view bytes);
// The format masks, the general number texts and significant rounding: the
// first eight bytes are the number, the rest the mask.
void formatMask(std::string_view bytes);
// The whole chart document: the bytes pasted, opened by name as a data or
// project file, or opened as the overlay of a small lot, then drawn at the plot
// size the first byte chooses; nothing the drawing leaves for the painter may
// be NaN or infinite.
void chartDocument(std::string_view bytes);

// Every entry by its name.
std::span<const NamedEntry> entries();

} // namespace qv::fuzz
