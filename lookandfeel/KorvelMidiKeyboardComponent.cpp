#include "KorvelMidiKeyboardComponent.h"

#include "compat/JuceCompat.h"

namespace
{
using Ids = juce::MidiKeyboardComponent::ColourIds;

const juce::Colour lowerZoneColour (0x664736);
const juce::Colour upperZoneColour (0x337f33);
const juce::Colour lowerZoneBarColour (0xffde6a40);
const juce::Colour upperZoneBarColour (0xff006400);
constexpr juce::uint8 calibrationAlpha = 0x80;

enum class Zone
{
    noSplit,
    upper,
    lower,
    neither
};

Zone zoneOf (const KeySplitZones* zones, int note)
{
    if (zones == nullptr || zones->upperZoneFirstNote < 28)
        return Zone::noSplit;
    if (note >= zones->upperZoneFirstNote)
        return Zone::upper;
    if (note <= zones->lowerZoneLastNote)
        return Zone::lower;
    return Zone::neither;
}
} // namespace

//==============================================================================
KorvelMidiKeyboardComponent::KorvelMidiKeyboardComponent (juce::MidiKeyboardState& stateToUse,
                                                          Orientation orientation)
    : juce::KeyboardComponentBase (orientation), state (stateToUse)
{
    state.addListener (this);

    const juce::String keys ("awsedftgyhujkolp;");

    for (int offset = 0; offset < keys.length(); ++offset)
    {
        const auto index = keyPressNotes.indexOf (offset);

        if (index >= 0)
        {
            keyPressNotes.remove (index);
            keyPresses.remove (index);
        }

        keyPressNotes.add (offset);
        keyPresses.add (juce::KeyPress (keys[offset], 0, 0));
    }

    colourChanged();
    setWantsKeyboardFocus (true);
    startTimer (50);
}

KorvelMidiKeyboardComponent::~KorvelMidiKeyboardComponent()
{
    state.removeListener (this);
    stopTimer();
}

//==============================================================================
// The mouse plays nothing: it only gives the keyboard focus.
void KorvelMidiKeyboardComponent::mouseMove (const juce::MouseEvent&)
{
}

void KorvelMidiKeyboardComponent::mouseEnter (const juce::MouseEvent&)
{
}

void KorvelMidiKeyboardComponent::mouseExit (const juce::MouseEvent&)
{
}

void KorvelMidiKeyboardComponent::mouseDown (const juce::MouseEvent& e)
{
    const auto note = getNoteAndVelocityAtPosition (e.position).note;

    if (note >= 0)
        mouseDownOnKey (note, e);
}

void KorvelMidiKeyboardComponent::mouseDrag (const juce::MouseEvent& e)
{
    const auto note = getNoteAndVelocityAtPosition (e.position).note;

    if (note >= 0)
        mouseDraggedToKey (note, e);
}

void KorvelMidiKeyboardComponent::mouseUp (const juce::MouseEvent& e)
{
    const auto note = getNoteAndVelocityAtPosition (e.position).note;

    if (note >= 0)
        mouseUpOnKey (note, e);
}

bool KorvelMidiKeyboardComponent::mouseDownOnKey (int, const juce::MouseEvent&)
{
    return true;
}

bool KorvelMidiKeyboardComponent::mouseDraggedToKey (int, const juce::MouseEvent&)
{
    return true;
}

void KorvelMidiKeyboardComponent::mouseUpOnKey (int, const juce::MouseEvent&)
{
}

//==============================================================================
bool KorvelMidiKeyboardComponent::isKeyPressDown (const juce::KeyPress& key) const
{
    return key.isCurrentlyDown();
}

bool KorvelMidiKeyboardComponent::keyPressed (const juce::KeyPress& key)
{
    return keyPresses.contains (key);
}

bool KorvelMidiKeyboardComponent::keyStateChanged (bool)
{
    auto used = false;

    for (int i = keyPresses.size(); --i >= 0;)
    {
        const auto note = 12 * keyMappingOctave + keyPressNotes.getUnchecked (i);

        if (isKeyPressDown (keyPresses.getReference (i)))
        {
            if (!keysPressed[note])
            {
                keysPressed.setBit (note);
                state.noteOn (midiChannel, note, velocity);
                used = true;
            }
        }
        else if (keysPressed[note])
        {
            keysPressed.clearBit (note);
            state.noteOff (midiChannel, note, 0.0f);
            used = true;
        }
    }

    return used;
}

void KorvelMidiKeyboardComponent::focusLost (FocusChangeType)
{
    for (int note = 0; note < 128; ++note)
        if (keysPressed[note])
            state.noteOff (midiChannel, note, 0.0f);

    keysPressed.clear();
}

void KorvelMidiKeyboardComponent::colourChanged()
{
    setOpaque (findColour (Ids::whiteNoteColourId).isOpaque());
    repaint();
}

//==============================================================================
bool KorvelMidiKeyboardComponent::isNoteDown (int note) const
{
    return state.isNoteOnForChannels (midiInChannelMask, note);
}

juce::uint8 KorvelMidiKeyboardComponent::levelAlpha (int note) const
{
    const auto level = noteLevels[(size_t) note].load();
    const auto fraction = level > 0 ? (float) juce::jmin (level, 127) / 127.0f : 0.0f;
    return juce::Colours::black.withAlpha (fraction).getAlpha();
}

void KorvelMidiKeyboardComponent::fillPressureBar (juce::Graphics& g, int note, juce::Rectangle<float> area,
                                                   float margin) const
{
    const auto pressure = notePressures != nullptr ? (*notePressures)[(size_t) note].load() : 0;
    const auto fraction = pressure > 0 ? (float) juce::jmin (pressure, 127) / 127.0f : 0.0f;
    const auto barHeight = juce::jmin (fraction * area.getHeight(), area.getHeight() - 2.0f * margin);

    // A key in neither zone keeps the colour of its own fill.
    switch (zoneOf (keySplitZones, note))
    {
        case Zone::noSplit:
        case Zone::lower:
            g.setColour (lowerZoneBarColour);
            break;
        case Zone::upper:
            g.setColour (upperZoneBarColour);
            break;
        case Zone::neither:
            break;
    }

    g.fillRect (area.getX(), area.getBottom() - margin - barHeight, area.getWidth(), barHeight);
}

void KorvelMidiKeyboardComponent::drawKeyboardBackground (juce::Graphics& g, juce::Rectangle<float>)
{
    g.fillAll (findColour (Ids::whiteNoteColourId));

    const auto keyboardWidth = getRectangleForKey (getRangeEnd()).getRight();
    const auto shadow = findColour (Ids::shadowColourId);

    if (!shadow.isTransparent())
    {
        g.setGradientFill (
            juce::ColourGradient (shadow, 0.0f, 0.0f, shadow.withAlpha (0.0f), 0.0f, 5.0f, false));
        g.fillRect (0.0f, 0.0f, keyboardWidth, 5.0f);
    }

    const auto line = findColour (Ids::keySeparatorLineColourId);

    if (!line.isTransparent())
    {
        g.setColour (line);
        g.fillRect (0.0f, (float) getHeight() - 1.0f, keyboardWidth, 1.0f);
    }
}

void KorvelMidiKeyboardComponent::drawWhiteKey (int note, juce::Graphics& g, juce::Rectangle<float> area)
{
    drawWhiteNote (note, g, area, isNoteDown (note), false, findColour (Ids::keySeparatorLineColourId),
                   findColour (Ids::textLabelColourId));
}

void KorvelMidiKeyboardComponent::drawBlackKey (int note, juce::Graphics& g, juce::Rectangle<float> area)
{
    drawBlackNote (note, g, area, isNoteDown (note), false, findColour (Ids::blackNoteColourId));
}

void KorvelMidiKeyboardComponent::drawWhiteNote (int note, juce::Graphics& g, juce::Rectangle<float> area,
                                                 bool isDown, bool, juce::Colour lineColour,
                                                 juce::Colour textColour)
{
    if (isDown)
    {
        auto fill = juce::Colours::white;

        if (calibrationFlags != nullptr && calibrationFlags->active == 1)
        {
            if (calibrationFlags->restMode != 0)
                fill = juce::Colours::purple.withAlpha (calibrationAlpha);
            if (calibrationFlags->downMode != 0)
                fill = juce::Colours::green.withAlpha (calibrationAlpha);
        }
        else
        {
            switch (zoneOf (keySplitZones, note))
            {
                case Zone::noSplit:
                case Zone::lower:
                    fill = lowerZoneColour.withAlpha (levelAlpha (note));
                    break;
                case Zone::upper:
                    fill = upperZoneColour.withAlpha (levelAlpha (note));
                    break;
                case Zone::neither:
                    break;
            }
        }

        g.setColour (fill);
        g.fillRect (area);
        fillPressureBar (g, note, area, 0.001f * area.getHeight());
    }

    const auto text = getWhiteNoteText (note);

    if (text.isNotEmpty())
    {
        g.setColour (textColour);
        g.setFont (withDefaultMetrics (
            juce::FontOptions (juce::jmin (12.0f, getKeyWidth() * 0.9f)).withHorizontalScale (0.8f)));
        g.drawText (text, area.withTrimmedLeft (1.0f).withTrimmedBottom (2.0f),
                    juce::Justification::centredBottom, false);
    }

    if (!lineColour.isTransparent())
    {
        g.setColour (lineColour);
        g.fillRect (area.withWidth (1.0f));

        if (note == getRangeEnd())
            g.fillRect (area.getRight(), area.getY(), 1.0f, area.getHeight());
    }
}

void KorvelMidiKeyboardComponent::drawBlackNote (int note, juce::Graphics& g, juce::Rectangle<float> area,
                                                 bool isDown, bool, juce::Colour noteFillColour)
{
    if (!isDown)
    {
        g.setColour (juce::Colour (0xff000000));
        g.fillRect (area);
    }
    else
    {
        juce::Colour fill;

        if (calibrationFlags != nullptr && calibrationFlags->active == 1)
        {
            auto overlay = juce::Colours::white;

            if (calibrationFlags->restMode != 0)
                overlay = juce::Colours::purple.brighter (2.0f).withAlpha (calibrationAlpha);
            if (calibrationFlags->downMode != 0)
                overlay = juce::Colours::green.brighter (2.0f).withAlpha (calibrationAlpha);

            fill = noteFillColour.overlaidWith (overlay);
        }
        else
        {
            auto overlay = juce::Colours::white;

            switch (zoneOf (keySplitZones, note))
            {
                case Zone::noSplit:
                case Zone::lower:
                    overlay = lowerZoneColour.withAlpha (levelAlpha (note));
                    break;
                case Zone::upper:
                    overlay = upperZoneColour.withAlpha ((juce::uint8) 0xff);
                    break;
                case Zone::neither:
                    break;
            }

            fill = noteFillColour.overlaidWith (overlay).withAlpha (levelAlpha (note));
        }

        g.setColour (juce::Colours::white);
        g.fillRect (area);
        g.setColour (fill);
        g.fillRect (area);
        fillPressureBar (g, note, area, 0.01f * area.getHeight());
    }

    g.setColour (noteFillColour);
    g.drawRect (area, 1.0f);
}

juce::String KorvelMidiKeyboardComponent::getWhiteNoteText (int note)
{
    if (note % 12 == 0)
        return juce::MidiMessage::getMidiNoteName (note, true, true, getOctaveForMiddleC());

    return {};
}

void KorvelMidiKeyboardComponent::repaintNote (int note)
{
    if (note >= getRangeStart() && note <= getRangeEnd())
        repaint (getRectangleForKey (note).getSmallestIntegerContainer());
}

//==============================================================================
void KorvelMidiKeyboardComponent::timerCallback()
{
    if (noPendingUpdates.exchange (true))
        return;

    for (auto note = getRangeStart(); note <= getRangeEnd(); ++note)
    {
        const auto isOn = isNoteDown (note);

        if (keysCurrentlyDrawnDown[note] != isOn)
        {
            keysCurrentlyDrawnDown.setBit (note, isOn);
            repaintNote (note);
        }
    }
}

void KorvelMidiKeyboardComponent::handleNoteOn (juce::MidiKeyboardState*, int, int note, float noteVelocity)
{
    noteLevels[(size_t) (note & 127)] = (int) (noteVelocity * 117.0f + 10.0f);
    noPendingUpdates = false;
}

void KorvelMidiKeyboardComponent::handleNoteOff (juce::MidiKeyboardState*, int, int note, float)
{
    noteLevels[(size_t) (note & 127)] = 0;
    noPendingUpdates = false;
}
