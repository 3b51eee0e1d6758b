#include "quilletLookAndFeel.h"

quilletLookAndFeel::quilletLookAndFeel()
{
    setColour (juce::AlertWindow::backgroundColourId, juce::Colour (0xFFFCEFEFu));
    setColour (juce::ListBox::backgroundColourId, juce::Colour (0xFFFFFFFFu));
    setColour (juce::ListBox::outlineColourId, juce::Colour (0xFFF4999Au));
    setColour (juce::TextButton::buttonColourId, juce::Colour (0xFFF4999Au));
}
