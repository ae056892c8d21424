#include "core/io/ScaleTexts.h"

namespace qv {

namespace {

constexpr std::array<Ctl, 3> ScaleControls{Ctl::AxesOpts_YscaleMin, Ctl::AxesOpts_YscaleMax,
                                           Ctl::AxesOpts_TickInterval};

} // namespace

ScaleTexts ScaleTexts::of(const Settings& settings)
{
    ScaleTexts texts;
    for (Ctl id : ScaleControls) {
        texts.note(id, settings.text(id));
    }
    return texts;
}

void ScaleTexts::note(Ctl id, const std::string& text)
{
    for (std::size_t i = 0; i < ScaleControls.size(); ++i) {
        if (ScaleControls[i] == id) {
            m_texts[i] = text;
        }
    }
}

void ScaleTexts::putBack(Settings& settings) const
{
    for (std::size_t i = 0; i < ScaleControls.size(); ++i) {
        if (m_texts[i]) {
            settings.setText(ScaleControls[i], *m_texts[i]);
        }
    }
}

} // namespace qv
