#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
class KorvelCustomButtons : public LookAndFeel_V4
{
public:
    KorvelCustomButtons() = default;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelCustomButtons)
};
} // namespace juce
