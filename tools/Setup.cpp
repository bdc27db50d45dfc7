#include "Setup.h"

#include "app/MainContentComponent.h"

Setup::Setup (MainContentComponent& ownerToUse) : owner (ownerToUse)
{
}

Setup::~Setup() = default;

void Setup::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff2e3333));
}
