#include "KorvelWidgetStyle.h"

void KorvelWidgetStyle::caption (juce::Component& parent, juce::Label& label, juce::Rectangle<int> bounds,
                                 float fontHeight, const juce::String& text)
{
    parent.addAndMakeVisible (label);
    label.setText (text, juce::dontSendNotification);
    label.setFont (juce::Font (withDefaultMetrics (juce::FontOptions (fontHeight))));
    label.setBounds (bounds);
    label.setColour (juce::Label::textColourId, juce::Colours::lightgrey);
}

void KorvelWidgetStyle::button (juce::Component& parent, juce::TextButton& button,
                                juce::Button::Listener* listener, juce::LookAndFeel& look,
                                juce::Rectangle<int> bounds, const juce::String& text,
                                const juce::String& name, bool generic,
                                std::optional<KorvelButtonColours> colours)
{
    parent.addAndMakeVisible (button);

    if (listener != nullptr)
        button.addListener (listener);

    button.setLookAndFeel (&look);
    button.setBounds (bounds);

    if (colours.has_value())
    {
        const auto base = parent.findColour (juce::TextButton::buttonColourId);
        button.setColour (juce::TextButton::buttonColourId, base);
        button.setColour (juce::TextButton::buttonOnColourId, base);
        button.setColour (juce::TextButton::textColourOffId, colours->textOff);
        button.setColour (juce::TextButton::textColourOnId, colours->textOn);
        button.setColour (juce::ComboBox::outlineColourId, juce::Colours::black);
    }

    button.getProperties().set ("generic", generic);
    button.setButtonText (text);
    button.setName (name);
    button.setClickingTogglesState (false);
}

void KorvelWidgetStyle::alertButtons (juce::AlertWindow& alert, juce::LookAndFeel& look,
                                      std::initializer_list<juce::Rectangle<int>> bounds)
{
    auto next = bounds.begin();

    for (auto* child : alert.getChildren())
    {
        if (next == bounds.end())
            break;

        if (auto* button = dynamic_cast<juce::TextButton*> (child))
        {
            button->setLookAndFeel (&look);
            button->setBounds (*next++);
        }
    }
}

void KorvelWidgetStyle::releaseAlertLooks (juce::AlertWindow& alert)
{
    alert.setLookAndFeel (nullptr);

    for (auto* child : alert.getChildren())
        if (auto* button = dynamic_cast<juce::TextButton*> (child))
            button->setLookAndFeel (nullptr);
}

void KorvelWidgetStyle::enterModal (juce::AlertWindow& alert, std::function<void (int)> onResult)
{
    alert.enterModalState (true,
                           juce::ModalCallbackFunction::create (
                               [safeAlert = juce::Component::SafePointer<juce::AlertWindow> (&alert),
                                onResult = std::move (onResult)] (int result)
                               {
                                   if (onResult)
                                       onResult (result);

                                   if (safeAlert != nullptr)
                                       releaseAlertLooks (*safeAlert);
                               }),
                           true);
}
