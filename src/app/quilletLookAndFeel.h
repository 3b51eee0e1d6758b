#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The program's colours on top of the framework's classic drawing (light editors, title bars in the window's
    own colour): pale pink alert boxes, white lists with a rose outline, rose buttons. */
class quilletLookAndFeel : public juce::LookAndFeel_V2
{
public:
    quilletLookAndFeel();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (quilletLookAndFeel)
};
