#include "ProductSite.h"

#include <gtest/gtest.h>

TEST (ProductSite, PageAddressIsAnEscapedFileUrlOfThePageInShareBesideTheExecutablesFolder)
{
    const auto prefix =
        juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory().getParentDirectory();
    EXPECT_EQ (prefix.getChildFile ("share/quillet/site"), quillet::findProductSiteFolder());

    const juce::String page (juce::CharPointer_UTF8 ("/tools/quillet/doc/a b#c?d%e \xc3\xbc.html"));
    const auto address = quillet::getProductPageAddress (page);
    ASSERT_TRUE (address.startsWith ("file:///"));

    // Blanks, '#', '?' and '%' of names would cut the address short or change its meaning; non-ASCII goes as escaped
    // UTF-8. The leading slash of the page path is optional.
    EXPECT_TRUE (address.endsWith ("/share/quillet/site/tools/quillet/doc/a%20b%23c%3Fd%25e%20%C3%BC.html")) << address;
    EXPECT_EQ (prefix.getChildFile ("share/quillet/site" + page).getFullPathName(),
               juce::URL::removeEscapeChars (address.substring (7)));
    EXPECT_EQ (address, quillet::getProductPageAddress (page.substring (1)));
}
