#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A borderless window that shows one picture for a while, on top of everything, then deletes itself.
    It closes at the first timer tick (every 200 ms) after its display time, or at once when clicked.
    Create it with new and forget it: it owns itself, and one still showing at program end is
    deleted by the framework. */
class BwSplashScreen : public juce::Component, public juce::Timer, public juce::DeletedAtShutdown
{
public:
    BwSplashScreen();
    ~BwSplashScreen() override;

    /** Shows the image at the given size. A null image shows nothing. */
    void show (const juce::String& title, const juce::Image& image, int width, int height, int displayTimeMs,
               bool dropShadow);

    /** Shows the image at its own size. */
    void show (const juce::String& title, const juce::Image& image, int displayTimeMs, bool dropShadow);

    /** Shows whatever m_image holds, centred on the screen. */
    void show (const juce::String& title, int width, int height, int displayTimeMs, bool dropShadow);

    void mouseDown (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void timerCallback() override;

    /** How often the splash checks whether its time is up. */
    static constexpr int timerIntervalMs = 200;

    /** How long show() runs the message loop so that the window is mapped and painted before it returns. */
    static constexpr int settleTimeMs = 30;

private:
    juce::Image m_image;
    juce::Time m_timeToClose;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BwSplashScreen)
};

/** Draws text (the version number) onto the image itself, in black, 14 px high, left-aligned in the box
    at 210, 270, 200 x 20; what falls beyond the image's right edge is cut off. */
void splash_OverlayVersionText (juce::Image& image, const juce::String& text);
