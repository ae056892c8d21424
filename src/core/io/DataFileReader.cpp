#include "core/io/DataFileReader.h"

#include "core/Errors.h"
#include "core/io/NumberReader.h"
#include "core/io/TextFile.h"
#include "core/model/DataSet.h"
#include "core/model/Prompter.h"
#include "core/model/Session.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <numeric>

namespace qv {

namespace {

bool isNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e';
}

bool isSeparator(char c) { return c == ',' || c == ' ' || c == '\t'; }

int toInt(double value) { return static_cast<int>(roundToInteger(value, 32767)); }

// Field `column` (1-based) of a split line; fields past the line's count read 0.
double field(const LineFields& fields, int column)
{
    if (column < 1 || column > MaxFields) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    return fields.values[static_cast<std::size_t>(column - 1)];
}

// The n-th tab-separated field of a pasted line.
std::string nthTabField(std::string_view line, int n)
{
    for (int i = 1; i < n; ++i) {
        const auto tab = line.find('\t');
        if (tab == std::string_view::npos) {
            return {};
        }
        line.remove_prefix(tab + 1);
    }
    return std::string(line.substr(0, line.find('\t')));
}

bool isFileError(int code)
{
    return code == ErrorCode::BadFileName || code == ErrorCode::FileNotFound ||
           code == ErrorCode::BadFileMode || code == ErrorCode::FileAlreadyOpen ||
           code == ErrorCode::BadFileNameOrNumber;
}

void reportFailure(Session& session, Prompter& prompter, int code)
{
    session.busy(false);
    session.requestClear();
    if (code == ErrorCode::PathFileAccess || code == ErrorCode::Cancelled) {
        return;
    }
    if (isFileError(code)) {
        prompter.message("File Error" + codeText(code) + " Try Again", "File Error",
                         MessageIcon::Warning);
    } else {
        prompter.message("Unexpected Error" + codeText(code), "File Error", MessageIcon::Warning);
    }
}

} // namespace

int splitDataLine(std::string_view line, LineFields& fields)
{
    line = trimBlanks(line);
    if (line.empty()) {
        return 0;
    }
    // Every letter ends a field, so a foreign line is recognised before it is
    // split: a labels or comment line is skipped whatever its length.
    for (char c : line) {
        if (!isNumberChar(c) && !isSeparator(c)) {
            return -1;
        }
    }
    int count = 0;
    std::size_t start = 0;
    auto take = [&](std::size_t end) {
        if (count == MaxFields) {
            raise(ErrorCode::SubscriptOutOfRange);
        }
        fields.values[static_cast<std::size_t>(count)] = readNumber(line.substr(start, end - start));
        ++count;
        start = end + 1;
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (isSeparator(line[i])) {
            take(i);
        }
    }
    take(line.size());
    for (std::size_t k = static_cast<std::size_t>(count); k < fields.values.size(); ++k) {
        fields.values[k] = 0.0;
    }
    return count;
}

void sortSet(DataSet& set, int count)
{
    const auto n = static_cast<std::size_t>(std::clamp(count, 0, set.pointCount));
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return set.values[a] < set.values[b]; });
    auto permute = [&](auto& list) {
        if (list.size() < n) {
            return;
        }
        std::remove_reference_t<decltype(list)> sorted(list.size());
        for (std::size_t i = 0; i < n; ++i) {
            sorted[i] = list[order[i]];
        }
        std::copy(list.begin() + static_cast<std::ptrdiff_t>(n), list.end(),
                  sorted.begin() + static_cast<std::ptrdiff_t>(n));
        list = std::move(sorted);
    };
    permute(set.values);
    permute(set.sigmas);
    permute(set.states);
}

std::vector<std::string> splitLabelsRow(std::string_view line)
{
    std::vector<std::string> items;
    std::string item;
    bool quoted = false;
    auto finish = [&] {
        items.emplace_back(trimBlanks(item));
        item.clear();
    };
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ',' || c == '\t')) {
            finish();
        } else {
            item += c;
        }
    }
    finish();
    return items;
}

bool readDataFile(Session& session, Prompter& prompter)
{
    Settings& s = session.settings;
    DataSet& target = session.current();
    try {
        s.setCheck(Ctl::FileChar_Labels, 0);

        TextFile file;
        std::vector<std::string_view> pasted;
        const std::vector<std::string_view>* lines = &pasted;
        if (session.pasteMode) {
            pasted.assign(session.pasteBuffer.begin(), session.pasteBuffer.end());
        } else {
            file = TextFile::read(session.sourcePath);
            lines = &file.lines();
        }
        if (lines->empty()) {
            raise(ErrorCode::InputPastEnd);
        }
        const std::string_view firstLine = trimBlanks((*lines)[0]);
        session.firstRow = std::string(firstLine);

        DataSet loaded;
        loaded.columnCount = target.columnCount;
        loaded.valueColumn = target.valueColumn;
        loaded.sigmaColumn = target.sigmaColumn;

        const bool projectFile = session.projectFileFlag && !session.pasteMode && !session.newDataMode;
        LineFields fields;
        if (projectFile) {
            // The field count of the first line decides the point format.
            const int count = splitDataLine(firstLine, fields);
            loaded.columnCount = count;
            loaded.valueColumn = 1;
            if (count == 3) {
                loaded.sigmaColumn = 2;
            }
            s.setCheck(Ctl::FileChar_ErrorBars, count == 3 ? 1 : 0);
        } else {
            if (firstLine.empty()) {
                raise(ErrorCode::InvalidArgument); // nothing to test for labels
            }
            const char c = firstLine.front();
            if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+')) {
                s.setCheck(Ctl::FileChar_Labels, 1);
            }
            if (lines->size() < 2) {
                raise(ErrorCode::InputPastEnd);
            }
            const std::string_view secondLine = trimBlanks((*lines)[1]);
            session.secondRow = std::string(secondLine);
            const int count = splitDataLine(secondLine, fields);
            s.setText(Ctl::FileChar_Ncol, std::to_string(count));
            s.setFileCharColumnItems(std::max(count, 0));
            s.setText(Ctl::FileChar_ColN, "1");
            s.setCheck(Ctl::FileChar_ErrorBars, 0);
            s.setEnabled(Ctl::FileChar_ErrorColumn, false);
            s.setEnabled(Ctl::FileChar_Frame2, count != 1);

            session.fileCharAccepted = prompter.askDataFileParameters(session);
            if (!session.fileCharAccepted) {
                return false;
            }
        }

        session.busy(true);
        std::size_t next = 0;
        if (!session.projectFileFlag) {
            loaded.columnCount = toInt(s.number(Ctl::FileChar_Ncol));
            loaded.valueColumn = toInt(s.number(Ctl::FileChar_ColN));
            if (s.check(Ctl::FileChar_Labels) == 0) {
                s.setText(Ctl::PlotOpts_YAxisLabel, "");
            }
            if (s.check(Ctl::FileChar_ErrorBars) == 1) {
                loaded.sigmaColumn = toInt(s.number(Ctl::FileChar_ErrorColumn));
            }
            if (s.check(Ctl::FileChar_Labels) == 1) {
                std::string label;
                if (session.pasteMode) {
                    label = nthTabField((*lines)[0], loaded.valueColumn);
                } else {
                    const auto items = splitLabelsRow(firstLine);
                    const auto index = static_cast<std::size_t>(loaded.valueColumn - 1);
                    if (loaded.valueColumn >= 1 && index < items.size()) {
                        label = items[index];
                    }
                }
                s.setText(Ctl::PlotOpts_YAxisLabel, label);
                next = 1;
            }
        } else if (session.newDataMode || session.pasteMode) {
            loaded.columnCount = toInt(s.number(Ctl::FileChar_Ncol));
            loaded.valueColumn = toInt(s.number(Ctl::FileChar_ColN));
        }

        const bool withSigmas = s.check(Ctl::FileChar_ErrorBars) == 1;
        const bool storedStates = projectFile;
        const std::size_t available = lines->size() - next;
        const std::size_t reserve = std::min<std::size_t>(available, MaxPoints);
        loaded.values.reserve(reserve);
        loaded.states.reserve(reserve);
        if (withSigmas) {
            loaded.sigmas.reserve(reserve);
        }
        for (; next < lines->size(); ++next) {
            const std::string_view line = (*lines)[next];
            if (line == "FORMATTING" || line == "END OF PASTE" || line == "OVERLAY START") {
                break;
            }
            const int count = splitDataLine(line, fields);
            if (count != loaded.columnCount) {
                if (count == -1) {
                    continue;
                }
                break;
            }
            if (loaded.values.size() == static_cast<std::size_t>(MaxPoints)) {
                raise(ErrorCode::SubscriptOutOfRange);
            }
            loaded.values.push_back(field(fields, loaded.valueColumn));
            if (withSigmas) {
                loaded.sigmas.push_back(field(fields, loaded.sigmaColumn));
            }
            loaded.states.push_back(storedStates
                                        ? static_cast<std::int16_t>(toInt(field(fields, loaded.columnCount)))
                                        : std::int16_t{1});
        }
        loaded.pointCount = static_cast<int>(loaded.values.size());
        loaded.hasSigmas = withSigmas;
        if (!withSigmas) {
            // Without an uncertainty column the set keeps no uncertainties.
            loaded.sigmas.assign(loaded.values.size(), 0.0);
        }
        loaded.enabledCount = static_cast<int>(
            std::count_if(loaded.states.begin(), loaded.states.end(), isEnabledState));

        if (!session.projectFileFlag) {
            s.resetOptions();
        }
        sortSet(loaded, loaded.pointCount);
        target = std::move(loaded);

        if (!session.pasteMode) {
            session.menus.set({Menu::EnableDisable, Menu::Options_File, Menu::SaveAs,
                               Menu::InputOverlayData},
                              true);
        }
        s.setEnabled(Ctl::PlotOpts_ErrorBars, withSigmas);
        if (target.enabledCount < 30) {
            s.setEnabled(Ctl::PlotOpts_Tdist, true);
        } else {
            s.setEnabled(Ctl::PlotOpts_Tdist, false);
            s.selectButton(Ctl::PlotOpts_NormalDist);
        }
        session.requestClear();
        session.placeBoxesPending = true;
        target.editGridBuilt = false;
        target.hiliteGridBuilt = false;
        session.busy(false);
    } catch (const QvError& e) {
        reportFailure(session, prompter, e.code());
        return false;
    } catch (const std::bad_alloc&) {
        reportFailure(session, prompter, ErrorCode::OutOfMemory);
        return false;
    }
    session.requestDraw();
    return true;
}

} // namespace qv
