#pragma once

#include "lookandfeel/KorvelCustomButtons.h"
#include "lookandfeel/KorvelCustomRefreshButton.h"
#include "lookandfeel/KorvelCustomSliders.h"
#include "lookandfeel/KorvelKeySplitWindow.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <atomic>
#include <vector>

class MainContentComponent;

//==============================================================================
/**
    The CONTROLS view: MIDI ports and the instrument's performance settings. Every change
    of a setting widget goes to the instrument at once, whether the user or a report from
    the instrument made it; the instrument's echo of the same value changes nothing.
*/
class Controls : public juce::Component,
                 public juce::Button::Listener,
                 public juce::Slider::Listener,
                 public juce::ComboBox::Listener
{
public:
    /** The split slider: note names ("E0" to "E6") instead of numbers, "none" for no split. */
    class CustomKeySplitSlider : public juce::Slider
    {
    public:
        double getValueFromText (const juce::String& text) override;
        juce::String getTextFromValue (double value) override;
    };

    /** The values of one setting sent to the instrument whose echo has not come back yet. */
    class PendingEchoes
    {
    public:
        void sent (int value)
        {
            // An instrument that never echoes must not make this grow without end.
            if (values.size() >= 16)
                values.erase (values.begin());

            values.push_back (value);
        }

        /** True for the echo of a value that a newer one has already followed: moving the
            widget back would send it again, and the two echoes would chase each other. */
        bool isStale (int reported);

        void forget() { values.clear(); }

    private:
        std::vector<int> values;
    };

    explicit Controls (MainContentComponent& ownerToUse);
    ~Controls() override;

    void paint (juce::Graphics& g) override;
    void resized() override { }
    void buttonClicked (juce::Button* button) override;
    void sliderValueChanged (juce::Slider* slider) override;
    void comboBoxChanged (juce::ComboBox* box) override;

    /** Switch the setting widgets off / on; the port lists and the buttons stay as they are. */
    void disableAllUi();
    void enableAllUi();

    /** Asks the instrument for its current settings, when both of its ports were found. The
        reports that answer it are the truth, so no echo is awaited any more. */
    void getParametersFromTarget();

    /** The instrument's ports are gone: the echoes still awaited will never come. */
    void forgetAwaitedEchoes();

    /** A key played while the split dialog waits; callable from the MIDI thread. */
    void setSplitDialogNote (int note);

    // The instrument's reports, moving the widgets with notification unless stale.
    void showAfterPressureGain (int gain);
    void showKeySplitNote (int note);
    void selectMidiChannelItem (int itemId);
    void selectTransposeAndOctaveItems (int transposeId, int octaveId);

private:
    // The looks go first so that they outlive the widgets that use them.
    juce::KorvelCustomSliders sliderLook;
    juce::KorvelCustomButtons buttonLook;
    juce::KorvelCustomRefreshButton refreshLook;
    juce::KorvelKeySplitWindow splitWindowLook;

public:
    juce::ComboBox midiInputBox, midiOutputBox;
    juce::Slider velocitySlider, pressureGainSlider;
    juce::ComboBox midiChannelBox, midiResolutionBox, ccTransmitBox, transposeBox, octaveBox, sustainModeBox,
        pressureModeBox;

    /** The split dialog is open and waits for a played key; read on the MIDI thread. */
    std::atomic<bool> splitDialogWaiting { false };

    /** The gain to restore when "Pressure ON" is chosen again. */
    int savedPressureGain = 0;

    CustomKeySplitSlider keySplitSlider;
    std::array<juce::Label, 18> captions;
    juce::TextButton refreshPortsButton, velocityCurveButton, pressureParametersButton, keySplitButton;

    MainContentComponent& owner;

private:
    void drawLabel (juce::Label& label, int x, int y, float fontHeight, const juce::String& text);
    void drawComboBoxes (juce::ComboBox& box, int x, int y, int width, const juce::String& emptyText);
    void drawSlider (juce::Slider& slider, int y, int width, double minimum, double maximum);

    juce::Array<juce::Component*> getSettingWidgets();
    void setSettingWidgetsEnabled (bool enabled);

    void middleCReferenceChanged();
    void keySplitChanged();
    void refreshPorts();
    void showSplitDialogBox();

    PendingEchoes gainEchoes, splitEchoes, channelEchoes, middleCEchoes;

    // The first channel notification comes from the constructor's start selection.
    bool channelChangeSeen = false;

    // Made on the message thread; the MIDI thread only copies it.
    juce::Component::SafePointer<Controls> selfReference;

    // The open split dialog, so that the panel can close it before its looks go.
    juce::Component::SafePointer<juce::AlertWindow> splitDialog;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Controls)
};
