// The embedded splash image and logo load with the framework's own readers,
// the way the splash screen, the document panel and the workspace load them.
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include "quilletResources.h"

namespace
{
const juce::Colour darkRed (0xff991b1e);
const juce::Colour pink (0xfff4999a);

bool isNear (juce::Colour a, juce::Colour b)
{
    const auto near = [] (juce::uint8 x, juce::uint8 y) { return std::abs ((int)x - (int)y) <= 24; };
    return near (a.getRed(), b.getRed()) && near (a.getGreen(), b.getGreen()) && near (a.getBlue(), b.getBlue());
}

int countPixelsNear (const juce::Image& image, juce::Rectangle<int> area, juce::Colour colour)
{
    int count = 0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (isNear (image.getPixelAt (x, y), colour))
                ++count;
    return count;
}

std::unique_ptr<juce::Drawable> loadLogo()
{
    return juce::Drawable::createFromImageData (quilletResources::quillet_svg,
                                                (size_t)quilletResources::quillet_svgSize);
}
} // namespace

TEST (Resources, SplashIsAPaletteImageOf300By340WithRoomForTheVersionText)
{
    const auto* bytes = reinterpret_cast<const unsigned char*> (quilletResources::splash_png);
    ASSERT_GT (quilletResources::splash_pngSize, 33);

    // PNG header: width and height at bytes 16..23, colour type 3 (palette) at 25.
    EXPECT_EQ (0, std::memcmp (bytes, "\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ (3, bytes[25]) << "the splash is shipped as an 8-bit palette PNG";
    EXPECT_EQ (8, bytes[24]);

    const auto image =
        juce::ImageFileFormat::loadFrom (quilletResources::splash_png, (size_t)quilletResources::splash_pngSize);
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (300, image.getWidth());
    EXPECT_EQ (340, image.getHeight());

    // The program writes "v1.0.0.23" in black, 14 px high, from 210, 270: the
    // artwork must leave that box light so the text stays readable.
    const juce::Rectangle<int> versionBox (210, 268, 84, 24);
    float darkest = 1.0f;
    for (int y = versionBox.getY(); y < versionBox.getBottom(); ++y)
        for (int x = versionBox.getX(); x < versionBox.getRight(); ++x)
            darkest = juce::jmin (darkest, image.getPixelAt (x, y).getPerceivedBrightness());
    EXPECT_GT (darkest, 0.8f);

    // ...and the picture itself is in the product's colours, not blank.
    EXPECT_GT (countPixelsNear (image, image.getBounds(), darkRed), 2000);
    EXPECT_GT (countPixelsNear (image, image.getBounds(), pink), 2000);
}

TEST (Resources, LogoLoadsAsADrawableAndDrawsInTheProductColours)
{
    const auto text = juce::String::fromUTF8 (quilletResources::quillet_svg, quilletResources::quillet_svgSize);
    EXPECT_TRUE (text.contains ("viewBox"));
    // Features that the framework's SVG reader ignores or gets wrong are kept out.
    for (auto* unsupported : {"<text", "<filter", "<mask", "<style", "<image"})
        EXPECT_FALSE (text.contains (unsupported)) << unsupported;

    const auto logo = loadLogo();
    ASSERT_NE (nullptr, logo);
    const auto bounds = logo->getDrawableBounds();
    EXPECT_FALSE (bounds.isEmpty());

    // Drawn as the document panel draws it: centred and scaled into a box.
    juce::Image canvas (juce::Image::ARGB, 240, 200, true);
    {
        juce::Graphics g (canvas);
        g.fillAll (juce::Colour (0xfffcefef));
        logo->drawWithin (g, canvas.getBounds().toFloat(), juce::RectanglePlacement::centred, 1.0f);
    }

    const auto whole = canvas.getBounds();
    EXPECT_GT (countPixelsNear (canvas, whole, darkRed), 1500);
    EXPECT_GT (countPixelsNear (canvas, whole, pink), 1500);

    // The quill is tilted by a transform towards the top right corner, where the
    // sheet does not reach: pink there shows the transform was applied.
    EXPECT_GT (countPixelsNear (canvas, {180, 10, 50, 50}, pink), 100);
    // The sheet's lower left corner is covered; the far top left is background.
    EXPECT_EQ (0, countPixelsNear (canvas, {0, 0, 15, 20}, darkRed));
}
