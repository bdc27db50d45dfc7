#include "KorvelMidiKeyboardComponent.h"

KorvelMidiKeyboardComponent::KorvelMidiKeyboardComponent (juce::MidiKeyboardState& stateToUse,
                                                          Orientation orientation)
    : juce::KeyboardComponentBase (orientation), state (stateToUse)
{
}

void KorvelMidiKeyboardComponent::drawKeyboardBackground (juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setColour (juce::Colours::white);
    g.fillRect (area);
}

void KorvelMidiKeyboardComponent::drawWhiteKey (int, juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setColour (juce::Colours::white);
    g.fillRect (area);
    g.setColour (juce::Colours::black.withAlpha (0.4f));
    g.drawRect (area);
}

void KorvelMidiKeyboardComponent::drawBlackKey (int, juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setColour (juce::Colours::black);
    g.fillRect (area);
}

void KorvelMidiKeyboardComponent::repaintNote (int midiNoteNumber)
{
    if (midiNoteNumber >= kLowestKeyNote && midiNoteNumber <= kHighestKeyNote)
        repaint (getRectangleForKey (midiNoteNumber).getSmallestIntegerContainer());
}
