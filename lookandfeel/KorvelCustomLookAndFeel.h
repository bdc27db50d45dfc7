#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
class KorvelCustomLookAndFeel : public LookAndFeel_V4
{
public:
    KorvelCustomLookAndFeel() = default;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelCustomLookAndFeel)
};
} // namespace juce
