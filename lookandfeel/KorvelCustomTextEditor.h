#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
class KorvelCustomTextEditor : public LookAndFeel_V4
{
public:
    KorvelCustomTextEditor() = default;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelCustomTextEditor)
};
} // namespace juce
