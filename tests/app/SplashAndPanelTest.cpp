// The splash screen and its version text, and the document panel's logo.
#include "AppTestSupport.h"

#include "splashScreen.h"

using namespace app_test;

namespace
{
juce::Image whiteImage (int w, int h)
{
    juce::Image image (juce::Image::RGB, w, h, true);
    image.clear (image.getBounds(), juce::Colours::white);
    return image;
}

/** The box of the pixels that are not white. */
juce::Rectangle<int> inkBounds (const juce::Image& image)
{
    juce::Rectangle<int> box;
    bool any = false;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y) != juce::Colours::white)
            {
                box = any ? box.getUnion ({x, y, 1, 1}) : juce::Rectangle<int> (x, y, 1, 1);
                any = true;
            }
    return box;
}

/** Waits, pumping the message loop, until the component is gone or the time is up. */
bool waitUntilDeleted (juce::Component::SafePointer<juce::Component>& component, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32)timeoutMs;
    while (component != nullptr && juce::Time::getMillisecondCounter() < end)
        pump (10);
    return component == nullptr;
}
} // namespace

TEST (SplashText, VersionTextIsDrawnBlackFrom210And270AndCutAtTheEdge)
{
    auto image = whiteImage (300, 340);
    splash_OverlayVersionText (image, "v1.0.0.23");

    const auto ink = inkBounds (image);
    ASSERT_FALSE (ink.isEmpty());
    EXPECT_GE (ink.getX(), 210);
    EXPECT_LE (ink.getX(), 213);
    EXPECT_GE (ink.getY(), 270);
    EXPECT_LE (ink.getBottom(), 290);
    EXPECT_LT (ink.getRight(), 300);
    EXPECT_GT (ink.getHeight(), 6); // a real line of text, not a speck

    // Dark pixels are black ink (anti-aliased edges are grey, never coloured).
    bool sawBlack = false;
    for (int y = ink.getY(); y < ink.getBottom(); ++y)
        for (int x = ink.getX(); x < ink.getRight(); ++x)
        {
            const auto c = image.getPixelAt (x, y);
            EXPECT_EQ (c.getRed(), c.getGreen());
            EXPECT_EQ (c.getGreen(), c.getBlue());
            sawBlack = sawBlack || c.getBrightness() < 0.2f;
        }
    EXPECT_TRUE (sawBlack);

    // A long text runs into the image's right edge without harm.
    auto narrow = whiteImage (300, 340);
    splash_OverlayVersionText (narrow, "v1.0.0.23 and a great deal more text than fits");
    EXPECT_EQ (inkBounds (narrow).getRight(), 300);

    juce::Image none;
    splash_OverlayVersionText (none, "v1.0.0.23"); // nothing to draw on: nothing happens
}

TEST (SplashScreen, ClosesAtTheFirstTickAfterItsTime)
{
    auto image = whiteImage (120, 80);
    auto* splash = new BwSplashScreen();
    juce::Component::SafePointer<juce::Component> watch (splash);
    splash->show ("brackwater quillet", image, 400, true);
    const auto shownAt = juce::Time::getMillisecondCounter();

    ASSERT_NE (watch, nullptr);
    EXPECT_TRUE (splash->isOnDesktop());
    EXPECT_TRUE (splash->isVisible());
    EXPECT_TRUE (splash->isOpaque());
    EXPECT_EQ (splash->getName(), "brackwater quillet");
    EXPECT_EQ (splash->getWidth(), 120);
    EXPECT_EQ (splash->getHeight(), 80);
    auto* peer = splash->getPeer();
    ASSERT_NE (peer, nullptr);
    EXPECT_NE (peer->getStyleFlags() & juce::ComponentPeer::windowHasDropShadow, 0);

    // Not before its time...
    pump (250);
    EXPECT_NE (watch, nullptr);

    // ...but at a tick after it (with room for a busy machine).
    ASSERT_TRUE (waitUntilDeleted (watch, 3000));
    const auto lived = juce::Time::getMillisecondCounter() - shownAt;
    EXPECT_GE (lived, 400u);
    EXPECT_LE (lived, 400u + BwSplashScreen::timerIntervalMs + 600u);
}

TEST (SplashScreen, ClickClosesItAtOnce)
{
    auto* splash = new BwSplashScreen();
    juce::Component::SafePointer<juce::Component> watch (splash);
    splash->show ("brackwater quillet", whiteImage (50, 50), 4000, false);
    EXPECT_EQ (splash->getPeer()->getStyleFlags() & juce::ComponentPeer::windowHasDropShadow, 0);

    mouseDownOn (*splash);
    EXPECT_EQ (watch, nullptr);
}

using PanelTest = AppTest;

TEST_F (PanelTest, LogoStandsCentredInTheMiddleOfAnEmptyPanel)
{
    quillet_MultiDocumentPanel panel;
    ASSERT_NE (panel.logoDrawable, nullptr) << "the program's logo could not be read";
    const auto background = juce::Colour (0xFFF2F2F2u);
    panel.setBackgroundColour (background);

    for (auto size : {juce::Point<int> (600, 400), juce::Point<int> (300, 600)})
    {
        panel.setSize (size.x, size.y);
        const auto snapshot = panel.createComponentSnapshot (panel.getLocalBounds());
        const juce::Rectangle<int> middle (panel.proportionOfWidth (0.3f), panel.proportionOfHeight (0.3f),
                                           panel.proportionOfWidth (0.4f), panel.proportionOfHeight (0.4f));

        juce::Rectangle<int> ink;
        int outside = 0;
        for (int y = 0; y < snapshot.getHeight(); ++y)
            for (int x = 0; x < snapshot.getWidth(); ++x)
                if (snapshot.getPixelAt (x, y) != background)
                {
                    if (middle.contains (x, y))
                        ink = ink.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1) : ink.getUnion ({x, y, 1, 1});
                    else
                        ++outside;
                }

        EXPECT_EQ (outside, 0);
        ASSERT_FALSE (ink.isEmpty());
        // Centred, and filling the middle box in at least one direction (kept in proportion).
        EXPECT_NEAR (ink.getCentreX(), middle.getCentreX(), 3);
        EXPECT_NEAR (ink.getCentreY(), middle.getCentreY(), 3);
        EXPECT_TRUE (ink.getWidth() >= middle.getWidth() - 4 || ink.getHeight() >= middle.getHeight() - 4);
    }
}
