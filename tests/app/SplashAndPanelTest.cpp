// The splash screen with its version text, shown at start and as the About box, and the document panel's logo.
#include "AppTestSupport.h"

#include "CommandIDs.h"
#include "splashScreen.h"

using namespace app_test;

namespace
{
struct Ink
{
    juce::Rectangle<int> box; // of the pixels that differ from the background
    juce::Colour darkest = juce::Colours::white;
};

Ink inkOf (const juce::Image& image, juce::Colour background = juce::Colours::white)
{
    Ink ink;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (const auto c = image.getPixelAt (x, y); c != background)
            {
                ink.box = ink.box.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1) : ink.box.getUnion ({x, y, 1, 1});
                ink.darkest = c.getBrightness() < ink.darkest.getBrightness() ? c : ink.darkest;
            }
    return ink;
}

juce::Image withVersionText (const juce::String& text)
{
    juce::Image image (juce::Image::RGB, 300, 340, true);
    image.clear (image.getBounds(), juce::Colours::white);
    splash_OverlayVersionText (image, text);
    return image;
}
} // namespace

TEST (SplashText, VersionTextIsDrawnInBlackFrom210And270AndCutAtTheRightEdge)
{
    const auto ink = inkOf (withVersionText ("v1.0.0.23"));
    EXPECT_TRUE (ink.box.getX() >= 210 && ink.box.getX() <= 213 && ink.box.getY() >= 270 && ink.box.getBottom() <= 290)
        << ink.box.toString();
    EXPECT_GT (ink.box.getHeight(), 6); // a line of text, not a speck
    EXPECT_LT (ink.darkest.getBrightness(), 0.2f);
    EXPECT_TRUE (ink.darkest.getRed() == ink.darkest.getGreen() && ink.darkest.getGreen() == ink.darkest.getBlue());
    EXPECT_EQ (inkOf (withVersionText ("v1.0.0.23 and a great deal more text than fits")).box.getRight(), 300);
}

using SplashScreenTest = AppTest;

TEST_F (SplashScreenTest, StartSplashClosesAtTheFirstTickAfterItsTimeAndAboutAtAClick)
{
    quilletApplication app;
    auto window = makeWindow();
    juce::Component::SafePointer<BwSplashScreen> start (new BwSplashScreen()), about;
    start->show ("start", withVersionText ("v"), 400, false);
    const auto shownAt = juce::Time::getMillisecondCounter();
    EXPECT_TRUE (start->isOnDesktop() && start->isVisible());

    ASSERT_TRUE (window->mp_commandManager->invokeDirectly (CommandIDs::cmdAbout, false));
    for (int i = 0; i < juce::Desktop::getInstance().getNumComponents(); ++i)
        if (auto* splash = dynamic_cast<BwSplashScreen*> (juce::Desktop::getInstance().getComponent (i));
            splash != nullptr && splash != start)
            about = splash;
    ASSERT_NE (about, nullptr);
    EXPECT_EQ (about->getName(), "brackwater quillet");
    EXPECT_TRUE (about->isAlwaysOnTop());

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
    panel.setBackgroundColour (juce::Colour (0xFFF2F2F2u));
    for (auto size : {juce::Point<int> (600, 400), juce::Point<int> (300, 600)})
    {
        panel.setSize (size.x, size.y);
        const auto ink = inkOf (panel.createComponentSnapshot (panel.getLocalBounds()), juce::Colour (0xFFF2F2F2u)).box;
        const auto middle =
            panel.getLocalBounds().reduced (panel.proportionOfWidth (0.3f), panel.proportionOfHeight (0.3f));
        EXPECT_TRUE (!ink.isEmpty() && middle.contains (ink)) << ink.toString();
        EXPECT_LE (ink.getCentre().getDistanceFrom (middle.getCentre()), 3);
        // Kept in proportion, it fills the middle box in one direction at least.
        EXPECT_TRUE (ink.getWidth() >= middle.getWidth() - 4 || ink.getHeight() >= middle.getHeight() - 4);
    }
}
