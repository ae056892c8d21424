#include "core/io/ProjectFileLayout.h"

namespace qv {

namespace {

constexpr int FirstPositionLine = 54;

bool isCheckInteger(int line)
{
    return line == 63 || line == 64 || line == 65 || line == 78 || line == 79;
}

} // namespace

const std::array<LineSlot, SettingsLineCount + 1>& settingsLineTable()
{
    static const auto table = [] {
        std::array<LineSlot, SettingsLineCount + 1> slots{};
        for (const ControlInfo& info : controlTable()) {
            if (info.fileLine <= 0) {
                continue;
            }
            const auto at = static_cast<std::size_t>(info.fileLine);
            switch (info.kind) {
            case ControlKind::Check:
                slots[at] = {
                    info.id, -1,
                    isCheckInteger(info.fileLine) ? LineForm::CheckInteger : LineForm::Check, -1};
                break;
            case ControlKind::Text:
            case ControlKind::Combo:
                slots[at] = {info.id, -1,
                             info.fileLine == 80 || info.fileLine == 81 ? LineForm::ExactText
                                                                        : LineForm::Text,
                             -1};
                break;
            case ControlKind::Font:
                slots[at] = {info.id, -1, LineForm::Font, -1};
                break;
            case ControlKind::Button:
                slots[at] = {info.id, -1, LineForm::Option, -1};
                break;
            case ControlKind::Group:
                for (int b = 0; b < info.buttons; ++b) {
                    slots[at + static_cast<std::size_t>(b)] = {info.id, b, LineForm::Option, -1};
                }
                break;
            case ControlKind::Control:
                break;
            }
        }
        for (int i = 0; i < 6; ++i) {
            slots[static_cast<std::size_t>(FirstPositionLine + i)] = {Ctl::Count, -1,
                                                                      LineForm::Position, i};
        }
        return slots;
    }();
    return table;
}

} // namespace qv
