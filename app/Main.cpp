#include "JuceBox.h"

START_JUCE_APPLICATION (JuceBox)
