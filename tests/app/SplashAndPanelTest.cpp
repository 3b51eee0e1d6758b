// The splash screen with its version text, shown at start and as the About box, and the document panel's logo.
#include "AppTestSupport.h"

#include "CommandIDs.h"
#include "splashScreen.h"

using namespace app_test;

namespace
{
juce::Image whiteImage (int width, int height)
{
    juce::Image image (juce::Image::RGB, width, height, true);
    image.clear (image.getBounds(), juce::Colours::white);
    return image;
}

/** The box of the pixels that differ from the background. */
juce::Rectangle<int> inkBounds (const juce::Image& image, juce::Colour background = juce::Colours::white)
{
    juce::Rectangle<int> box;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y) != background)
                box = box.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1) : box.getUnion ({x, y, 1, 1});
    return box;
}

} // namespace

TEST (SplashText, VersionTextIsDrawnInBlackFrom210And270AndCutAtTheRightEdge)
{
    auto image = whiteImage (300, 340);
    splash_OverlayVersionText (image, "v1.0.0.23");
    const auto ink = inkBounds (image);
    EXPECT_TRUE (ink.getX() >= 210 && ink.getX() <= 213 && ink.getY() >= 270 && ink.getBottom() <= 290)
        << ink.toString();
    EXPECT_GT (ink.getHeight(), 6); // a line of text, not a speck

    auto darkest = juce::Colours::white;
    for (int y = ink.getY(); y < ink.getBottom(); ++y)
        for (int x = ink.getX(); x < ink.getRight(); ++x)
            if (image.getPixelAt (x, y).getBrightness() < darkest.getBrightness())
                darkest = image.getPixelAt (x, y);
    EXPECT_LT (darkest.getBrightness(), 0.2f);
    EXPECT_TRUE (darkest.getRed() == darkest.getGreen() && darkest.getGreen() == darkest.getBlue()); // not coloured

    auto longText = whiteImage (300, 340);
    splash_OverlayVersionText (longText, "v1.0.0.23 and a great deal more text than fits");
    EXPECT_EQ (inkBounds (longText).getRight(), 300);
}

using SplashScreenTest = AppTest;

TEST_F (SplashScreenTest, StartSplashClosesAtTheFirstTickAfterItsTimeAndAboutAtAClick)
{
    quilletApplication app;
    auto window = makeWindow();
    juce::Component::SafePointer<BwSplashScreen> start (new BwSplashScreen()), about;
    start->show ("start", whiteImage (120, 80), 400, false);
    const auto shownAt = juce::Time::getMillisecondCounter();
    EXPECT_TRUE (start->isOnDesktop() && start->isVisible() && start->isOpaque() && start->isAlwaysOnTop());
    EXPECT_EQ (start->getBounds().withZeroOrigin(), juce::Rectangle<int> (120, 80));
    EXPECT_EQ (start->getPeer()->getStyleFlags() & juce::ComponentPeer::windowHasDropShadow, 0);

    ASSERT_TRUE (window->mp_commandManager->invokeDirectly (CommandIDs::cmdAbout, false));
    for (int i = 0; i < juce::Desktop::getInstance().getNumComponents(); ++i)
        if (auto* splash = dynamic_cast<BwSplashScreen*> (juce::Desktop::getInstance().getComponent (i));
            splash != nullptr && splash != start)
            about = splash;
    ASSERT_NE (about, nullptr);
    EXPECT_EQ (about->getName(), "brackwater quillet");
    EXPECT_EQ (about->getBounds().withZeroOrigin(), juce::Rectangle<int> (300, 340));
    EXPECT_NE (about->getPeer()->getStyleFlags() & juce::ComponentPeer::windowHasDropShadow, 0);

    while (start != nullptr && juce::Time::getMillisecondCounter() - shownAt < 3000)
        pump (10);
    const auto lived = juce::Time::getMillisecondCounter() - shownAt;
    EXPECT_EQ (start, nullptr);
    EXPECT_GE (lived, 400u);
    EXPECT_LE (lived, 400u + BwSplashScreen::timerIntervalMs + 600u); // room for a busy machine

    ASSERT_NE (about, nullptr); // still there: it waits for a click
    const auto centre = about->getLocalBounds().getCentre().toFloat();
    const auto now = juce::Time::getCurrentTime();
    about->mouseDown (juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), centre, {}, 1.0f, 0.0f, 0.0f,
                                        0.0f, 0.0f, about, about, now, centre, now, 1, false));
    EXPECT_EQ (about, nullptr);
}

TEST (PanelLogo, LogoStandsCentredInTheMiddleOfThePanel)
{
    quillet_MultiDocumentPanel panel;
    ASSERT_NE (panel.logoDrawable, nullptr) << "the program's logo could not be read";
    const auto background = juce::Colour (0xFFF2F2F2u);
    panel.setBackgroundColour (background);

    for (auto size : {juce::Point<int> (600, 400), juce::Point<int> (300, 600)})
    {
        panel.setSize (size.x, size.y);
        const auto ink = inkBounds (panel.createComponentSnapshot (panel.getLocalBounds()), background);
        const juce::Rectangle<int> middle (panel.proportionOfWidth (0.3f), panel.proportionOfHeight (0.3f),
                                           panel.proportionOfWidth (0.4f), panel.proportionOfHeight (0.4f));
        ASSERT_FALSE (ink.isEmpty());
        EXPECT_TRUE (middle.contains (ink)) << ink.toString();
        EXPECT_NEAR (ink.getCentreX(), middle.getCentreX(), 3);
        EXPECT_NEAR (ink.getCentreY(), middle.getCentreY(), 3);
        // Kept in proportion, it fills the middle box in one direction at least.
        EXPECT_TRUE (ink.getWidth() >= middle.getWidth() - 4 || ink.getHeight() >= middle.getHeight() - 4);
    }
}
