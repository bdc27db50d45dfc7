#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
class KorvelKeySplitIndicatorBar : public LookAndFeel_V4
{
public:
    KorvelKeySplitIndicatorBar() = default;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelKeySplitIndicatorBar)
};
} // namespace juce
