#include "splashScreen.h"

BwSplashScreen::BwSplashScreen()
{
    setOpaque (true);
}

// The picture is shared with the framework's image cache; dropping our reference is all there is to release.
BwSplashScreen::~BwSplashScreen() = default;

void BwSplashScreen::show (const juce::String& title, const juce::Image& image, int width, int height,
                           int displayTimeMs, bool dropShadow)
{
    m_image = image;

    if (!m_image.isValid())
    {
        jassertfalse; // no picture, so nothing to show
        return;
    }

    show (title, width, height, displayTimeMs, dropShadow);
}

void BwSplashScreen::show (const juce::String& title, const juce::Image& image, int displayTimeMs, bool dropShadow)
{
    show (title, image, image.getWidth(), image.getHeight(), displayTimeMs, dropShadow);
}

void BwSplashScreen::show (const juce::String& title, int width, int height, int displayTimeMs, bool dropShadow)
{
    setName (title);
    setAlwaysOnTop (true);
    setVisible (true);
    centreWithSize (width, height);

    int styleFlags = juce::ComponentPeer::windowAppearsOnTaskbar;
    if (dropShadow)
        styleFlags |= juce::ComponentPeer::windowHasDropShadow;
    addToDesktop (styleFlags);
    toFront (false);

    // Start-up goes on after this call: a short spin of the message loop lets the splash reach the screen first.
    juce::MessageManager::getInstance()->runDispatchLoopUntil (settleTimeMs);
    repaint();

    m_timeToClose = juce::Time::getCurrentTime() + juce::RelativeTime::milliseconds (displayTimeMs);
    startTimer (timerIntervalMs);
}

void BwSplashScreen::mouseDown (const juce::MouseEvent&)
{
    delete this;
}

void BwSplashScreen::paint (juce::Graphics& g)
{
    if (m_image.isValid())
    {
        g.setOpacity (1.0f);
        g.drawImageWithin (m_image, 0, 0, getWidth(), getHeight(), juce::RectanglePlacement::centred, false);
    }
}

void BwSplashScreen::timerCallback()
{
    if (juce::Time::getCurrentTime() > m_timeToClose)
        delete this;
}

void splash_OverlayVersionText (juce::Image& image, const juce::String& text)
{
    if (!image.isValid())
        return;

    juce::Graphics g (image);
    g.setColour (juce::Colours::black);
    g.setFont (juce::Font (14.0f, juce::Font::plain));
    g.drawText (text, 210, 270, 200, 20, juce::Justification::left, false);
}
