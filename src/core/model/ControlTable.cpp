#include "core/model/ControlTable.h"

#include <array>

namespace qv {

namespace {

// Button counts and pair partners in the control table.
constexpr int None = 0, Two = 2, Three = 3, Four = 4, Five = 5, Nine = 9;
constexpr int buttonsOf(int n)
{
    return n;
}
constexpr int buttonsOf(Ctl)
{
    return 0;
}
constexpr Ctl partnerOf(int)
{
    return Ctl::Count;
}
constexpr Ctl partnerOf(Ctl c)
{
    return c;
}

using enum Ctl;

constexpr std::array<ControlInfo, static_cast<std::size_t>(Ctl::Count)> kControls{{
#define QV_CONTROL(id, name, kind, design, line, enabled, extra)                                   \
    ControlInfo{Ctl::id, name,    ControlKind::kind, design,                                       \
                line,    enabled, buttonsOf(extra),  partnerOf(extra)},
#include "core/model/Controls.def"
#undef QV_CONTROL
}};

} // namespace

std::span<const ControlInfo> controlTable()
{
    return kControls;
}

const ControlInfo& controlInfo(Ctl id)
{
    return kControls[static_cast<std::size_t>(id)];
}

std::optional<Ctl> findControl(std::string_view name)
{
    for (const auto& info : kControls) {
        if (name == info.name) {
            return info.id;
        }
    }
    return std::nullopt;
}

} // namespace qv
