#include "core/model/Settings.h"

#include "core/NumberReader.h"
#include "core/model/NumberFields.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>

namespace qv {

namespace {

using enum Ctl;

std::size_t at(Ctl id)
{
    return static_cast<std::size_t>(id);
}

bool parseInt(std::string_view text, int& out)
{
    const auto* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

} // namespace

Settings::Settings()
    : m_text(controlTable().size()), m_number(controlTable().size(), 0),
      m_enabled(controlTable().size(), 1)
{
    for (const auto& info : controlTable()) {
        const std::size_t i = at(info.id);
        m_enabled[i] = info.designEnabled ? 1 : 0;
        switch (info.kind) {
        case ControlKind::Check:
        case ControlKind::Group:
        case ControlKind::Button:
            parseInt(info.design, m_number[i]);
            break;
        default:
            m_text[i] = info.design;
        }
    }
}

int Settings::check(Ctl id) const
{
    return m_number[at(id)];
}
const std::string& Settings::text(Ctl id) const
{
    return m_text[at(id)];
}
std::string Settings::valueText(Ctl id) const
{
    switch (controlInfo(id).kind) {
    case ControlKind::Check:
    case ControlKind::Group:
        return std::to_string(m_number[at(id)]);
    case ControlKind::Button:
        return selected(id) ? "true" : "false";
    default:
        return m_text[at(id)];
    }
}
int Settings::group(Ctl id) const
{
    return m_number[at(id)];
}
bool Settings::selected(Ctl id) const
{
    return m_number[at(id)] != 0;
}
bool Settings::enabled(Ctl id) const
{
    return m_enabled[at(id)] != 0;
}
double Settings::number(Ctl id) const
{
    return readNumber(m_text[at(id)]);
}

void Settings::setCheck(Ctl id, int value)
{
    value = value != 0 ? 1 : 0;
    if (m_number[at(id)] == value) {
        return;
    }
    m_number[at(id)] = value;
    notify(id, SettingChange::Value);
    m_rules.runHandler(*this, id);
}

void Settings::setText(Ctl id, std::string value)
{
    // Text fields have no handlers: their text is read where used.
    if (m_text[at(id)] == value) {
        return;
    }
    m_text[at(id)] = std::move(value);
    notify(id, SettingChange::Value);
}

void Settings::selectGroup(Ctl id, int index)
{
    if (index < 0 || index >= controlInfo(id).buttons) {
        throw std::invalid_argument("no such button");
    }
    if (m_number[at(id)] == index) {
        return;
    }
    m_number[at(id)] = index;
    notify(id, SettingChange::Value);
    m_rules.runHandler(*this, id);
}

void Settings::selectButton(Ctl id)
{
    if (m_number[at(id)] != 0) {
        return;
    }
    m_number[at(id)] = 1;
    const Ctl partner = controlInfo(id).partner;
    const bool partnerWasSelected = m_number[at(partner)] != 0;
    m_number[at(partner)] = 0;
    notify(id, SettingChange::Value);
    if (partnerWasSelected) {
        notify(partner, SettingChange::Value);
    }
    m_rules.runHandler(*this, id);
}

void Settings::deselectButton(Ctl id)
{
    if (m_number[at(id)] == 0) {
        return;
    }
    m_number[at(id)] = 0;
    notify(id, SettingChange::Value);
}

void Settings::click(Ctl id, int index)
{
    switch (controlInfo(id).kind) {
    case ControlKind::Check:
        setCheck(id, check(id) == 1 ? 0 : 1);
        break;
    case ControlKind::Group:
        if (index >= 0 && group(id) == index) {
            m_rules.runHandler(*this, id);
        } else {
            selectGroup(id, index);
        }
        break;
    case ControlKind::Button:
        if (selected(id)) {
            m_rules.runHandler(*this, id);
        } else {
            selectButton(id);
        }
        break;
    default:
        throw std::invalid_argument(std::string(controlInfo(id).name) + " cannot be clicked");
    }
}

void Settings::setEnabled(Ctl id, bool on)
{
    const char value = on ? 1 : 0;
    if (m_enabled[at(id)] == value) {
        return;
    }
    m_enabled[at(id)] = value;
    notify(id, SettingChange::Enabled);
}

void Settings::setFileCharColumnItems(int n, std::vector<std::string> texts,
                                      std::vector<std::string> names)
{
    if (texts.size() != static_cast<std::size_t>(std::max(n, 0))) {
        texts.clear();
    }
    m_fileCharNames = std::move(names);
    if (m_fileCharItems == n && m_fileCharTexts == texts) {
        return;
    }
    m_fileCharItems = n;
    m_fileCharTexts = std::move(texts);
    notify(FileChar_ColN, SettingChange::Items);
    notify(FileChar_ErrorColumn, SettingChange::Items);
}

std::vector<std::string> Settings::items(Ctl id) const
{
    auto numbered = [](int first, int last) {
        std::vector<std::string> list;
        for (int i = first; i <= last; ++i) {
            list.push_back(std::to_string(i));
        }
        return list;
    };
    switch (id) {
    case FileChar_ColN:
    case FileChar_ErrorColumn:
        return m_fileCharTexts.empty() ? numbered(1, m_fileCharItems) : m_fileCharTexts;
    case AxesOpts_Yplaces:
        return numbered(0, 5);
    case StatsForm_Digits:
        return numbered(0, 4);
    case frmPageSetup_cboFont:
        return m_fonts;
    default:
        return {};
    }
}

int Settings::addListener(SettingsListener listener)
{
    const int handle = m_listeners.nextHandle++;
    m_listeners.list.emplace_back(handle, std::move(listener));
    return handle;
}

void Settings::removeListener(int handle)
{
    std::erase_if(m_listeners.list, [handle](const auto& entry) { return entry.first == handle; });
}

void Settings::notify(Ctl id, SettingChange change)
{
    if (m_listeners.batchDepth > 0) {
        if (change != SettingChange::Focus) {
            m_listeners.batchChanged = true;
        }
        return;
    }
    // A listener may add or remove listeners while it is told.
    std::vector<int> handles;
    handles.reserve(m_listeners.list.size());
    for (const auto& entry : m_listeners.list) {
        handles.push_back(entry.first);
    }
    const SettingsNotice notice{id, change};
    for (int handle : handles) {
        const auto it = std::find_if(m_listeners.list.begin(), m_listeners.list.end(),
                                     [handle](const auto& entry) { return entry.first == handle; });
        if (it != m_listeners.list.end()) {
            const SettingsListener listener = it->second;
            listener(notice);
        }
    }
}

Settings::Batch::Batch(Settings& settings) : m_settings(settings)
{
    ++m_settings.m_listeners.batchDepth;
}

Settings::Batch::~Batch()
{
    Listeners& l = m_settings.m_listeners;
    if (--l.batchDepth == 0 && l.batchChanged) {
        l.batchChanged = false;
        m_settings.notify(Ctl::Count, SettingChange::Many);
    }
}

void Settings::resetOptions()
{
    OptionRules::resetOptions(*this);
}

std::vector<std::string> sortedFontList(std::vector<std::string> fonts)
{
    // By name as a reader sees it: "arial" and "Arial" side by side, "Zapf" after "abc".
    const auto folded = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
    };
    const auto before = [&folded](const std::string& a, const std::string& b) {
        const auto [at, bt] = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                            [&](char x, char y) { return folded(x) == folded(y); });
        if (at != a.end() && bt != b.end()) {
            return folded(*at) < folded(*bt);
        }
        if (at != a.end() || bt != b.end()) {
            return at == a.end(); // the shorter first
        }
        return a < b;
    };
    // A list in this order already (each lot of a batch run gets one) is kept.
    if (!std::is_sorted(fonts.begin(), fonts.end(), before)) {
        std::sort(fonts.begin(), fonts.end(), before);
    }
    fonts.erase(std::unique(fonts.begin(), fonts.end()), fonts.end());
    return fonts;
}

void Settings::setFontList(std::vector<std::string> fonts)
{
    fonts = sortedFontList(std::move(fonts));
    if (fonts == m_fonts) {
        return;
    }
    m_fonts = std::move(fonts);
    notify(frmPageSetup_cboFont, SettingChange::Items);
}

bool Settings::walkFontListTo(std::string_view name)
{
    // Without `name` in the list the walk ends on its last entry.
    for (const auto& font : m_fonts) {
        if (font == name) {
            setText(frmPageSetup_cboFont, font);
            return true;
        }
    }
    if (!m_fonts.empty()) {
        setText(frmPageSetup_cboFont, m_fonts.back());
    }
    return false;
}

void Settings::selectFontOrFirst(std::string_view name)
{
    auto it = std::find(m_fonts.begin(), m_fonts.end(), name);
    if (it != m_fonts.end()) {
        setText(frmPageSetup_cboFont, *it);
    } else if (!m_fonts.empty()) {
        setText(frmPageSetup_cboFont, m_fonts.front());
    }
}

void Settings::setFromText(Ctl id, std::string_view value)
{
    const ControlInfo& info = controlInfo(id);
    int n = 0;
    switch (info.kind) {
    case ControlKind::Check:
        if (!parseInt(value, n) || (n != 0 && n != 1)) {
            throw std::invalid_argument(std::string(info.name) + " takes 0 or 1");
        }
        setCheck(id, n);
        break;
    case ControlKind::Group:
        if (!parseInt(value, n) || n < 0 || n >= info.buttons) {
            throw std::invalid_argument(std::string(info.name) +
                                        " takes a button index from 0 to " +
                                        std::to_string(info.buttons - 1));
        }
        selectGroup(id, n);
        break;
    case ControlKind::Button:
        if (!parseInt(value, n) || (n != 0 && n != 1)) {
            throw std::invalid_argument(std::string(info.name) + " takes 1 (select) or 0");
        }
        selectButton(n == 1 ? id : info.partner);
        break;
    case ControlKind::Text:
    case ControlKind::Combo:
        if (holdsNumber(id)) {
            const auto canonical = typedNumberText(value);
            if (!canonical) {
                throw std::invalid_argument(std::string(info.name) + " takes a number, not \"" +
                                            std::string(value) + "\"");
            }
            setText(id, *canonical);
        } else {
            setText(id, std::string(value));
        }
        break;
    case ControlKind::Font:
        if (std::find(m_fonts.begin(), m_fonts.end(), value) == m_fonts.end()) {
            throw std::invalid_argument("no font named " + std::string(value));
        }
        selectFontOrFirst(value);
        break;
    case ControlKind::Control:
        throw std::invalid_argument(std::string(info.name) + " holds no value");
    }
}

} // namespace qv
