#pragma once
// The settings store: every control of the option windows that holds a setting,
// with its value and enabled state, and the values derived from the option
// groups. Setting a value from code runs the same handler as a user's click,
// and only when the value really changes, so resets and project loads keep the
// enabling rules and the derived values in step. The dialogs are views on it:
// listeners hear of every real change of a control's value, enabling or list.

#include "core/model/ControlTable.h"
#include "core/model/OptionRules.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// What changed about a control, as listeners are told.
enum class SettingChange
{
    Value,   // its value (check, selection or text)
    Enabled, // its enabling
    Items,   // the entries of its drop-down list
    Focus,   // a handler moved the focus to it (the window follows while its dialog shows)
    Many,    // anything about any control: the end of a batch (reset, project load)
};

struct SettingsNotice
{
    Ctl id; // Ctl::Count with SettingChange::Many
    SettingChange change;
};

using SettingsListener = std::function<void(const SettingsNotice&)>;

// `fonts` in the font combo's order (by name ignoring case, then as written),
// each name once.
std::vector<std::string> sortedFontList(std::vector<std::string> fonts);

class Settings
{
public:
    Settings(); // every control as its window has it when created

    int check(Ctl id) const;               // check box: 0 or 1
    const std::string& text(Ctl id) const; // text, combo and font controls
    int group(Ctl id) const;               // option group: index, -1 when none is selected
    bool selected(Ctl id) const;           // pair button
    bool enabled(Ctl id) const;
    // The value as one text, as the report and the setting tables print it:
    // check 0/1, group index, pair "true"/"false", the text of any other control.
    std::string valueText(Ctl id) const;
    // The number at the start of a text control, as every dialog field is read.
    double number(Ctl id) const;

    void setCheck(Ctl id, int value);
    void setText(Ctl id, std::string value);
    void selectGroup(Ctl id, int index);
    // Selects a pair button (and deselects its partner) as a click does.
    void selectButton(Ctl id);
    // Deselects a pair button without selecting its partner (the project file's "False").
    void deselectButton(Ctl id);
    void setEnabled(Ctl id, bool on);
    // A user's click: a check box turns over; an option button (a group's
    // button `index`, or a pair button) is selected and its handler runs even
    // when it was selected already. The setters above, used by code, run a
    // handler only when the value really changes.
    void click(Ctl id, int index = -1);

    // Puts the reset defaults into the controls in their fixed order, as one batch.
    void resetOptions();

    // Listeners are told of each real change as it happens, outside a batch.
    // addListener returns the handle that removes the listener again. A copy of
    // the settings has no listeners.
    int addListener(SettingsListener listener);
    void removeListener(int handle);

    // While a Batch lives, single changes are not told; when the outermost batch
    // ends after any change, listeners hear one SettingChange::Many.
    class Batch
    {
    public:
        explicit Batch(Settings& settings);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Settings& m_settings;
    };

    // The font combo's list (sorted by name, ignoring case) and its selection.
    void setFontList(std::vector<std::string> fonts);
    const std::vector<std::string>& fontList() const { return m_fonts; }
    // Walks the list from the top, selecting each entry, and stops at `name`;
    // without such an entry the last one stays selected. Returns whether found.
    bool walkFontListTo(std::string_view name);
    // Selects the entry `name`, or the first entry when the list has none.
    void selectFontOrFirst(std::string_view name);

    // The entries of the Data File Parameters dialog's two column combos: the
    // column numbers "1".."n", or `texts` ("2 · Girth", one per column) when
    // given. `names` are the columns' names from the labels row (empty without
    // one). A picked entry stores its column number.
    int fileCharColumnItems() const { return m_fileCharItems; }
    void setFileCharColumnItems(int n, std::vector<std::string> texts = {},
                                std::vector<std::string> names = {});
    const std::vector<std::string>& fileCharColumnNames() const { return m_fileCharNames; }

    // The entries of a combo's drop-down list: the column numbers of the Data
    // File Parameters dialog, the decimals and digits of the option windows, the
    // font list. Empty for every other control.
    std::vector<std::string> items(Ctl id) const;

    // Values kept in step by the option groups' handlers (0 until the first selection).
    double consumerRiskZ() const { return m_rules.consumerRiskZ(); }
    double ltpdZ() const { return m_rules.ltpdZ(); }
    int confidenceLevel() const { return m_rules.confidenceLevel(); }
    int weightedFit() const { return m_rules.weightedFit(); }
    int xRangeNines() const { return m_rules.xRangeNines(); }
    int dataSymbolCode() const { return m_rules.dataSymbolCode(); }

    // Sets a control from its text as --set and the option windows take it.
    // Throws std::invalid_argument for a value of the wrong kind and for a
    // number field's text that is not wholly a number; a number is stored as
    // its canonical text ("2,57" as "2.57").
    void setFromText(Ctl id, std::string_view value);

private:
    // Copies of the settings start without listeners.
    struct Listeners
    {
        Listeners() = default;
        Listeners(const Listeners&) {}
        Listeners& operator=(const Listeners&) { return *this; }
        std::vector<std::pair<int, SettingsListener>> list;
        int nextHandle = 1;
        int batchDepth = 0;
        bool batchChanged = false;
    };

    // The handlers tell of the focus they move.
    friend class OptionRules;

    void notify(Ctl id, SettingChange change);

    Listeners m_listeners;

    std::vector<std::string> m_text;
    std::vector<int> m_number;
    std::vector<char> m_enabled;
    std::vector<std::string> m_fonts;
    int m_fileCharItems = 0;
    std::vector<std::string> m_fileCharTexts;
    std::vector<std::string> m_fileCharNames;
    OptionRules m_rules;
};

} // namespace qv
