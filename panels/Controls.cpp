#include "Controls.h"

#include "app/MainContentComponent.h"

Controls::Controls (MainContentComponent& ownerToUse) : owner (ownerToUse)
{
}

Controls::~Controls() = default;

void Controls::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff2e3333));
}
