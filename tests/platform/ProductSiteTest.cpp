#include "ProductSite.h"

#include <gtest/gtest.h>

TEST (ProductSite, SiteFolderSitsInShareBesideTheExecutablesFolder)
{
    const auto site = quillet::findProductSiteFolder();
    const auto binFolder = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();

    EXPECT_EQ (juce::String ("share/quillet/site"), site.getRelativePathFrom (binFolder.getParentDirectory()));
}

TEST (ProductSite, PageAddressIsAnEscapedFileUrlThatLeadsBackToThePage)
{
    const juce::String page (juce::CharPointer_UTF8 ("/tools/quillet/doc/a b#c?d%e \xc3\xbc.html"));
    const auto address = quillet::getProductPageAddress (page);

    ASSERT_TRUE (address.startsWith ("file:///"));
    const auto path = address.substring (7);

    // Blanks, '#', '?' and '%' of names would cut the address short or
    // change its meaning; non-ASCII goes as escaped UTF-8.
    EXPECT_FALSE (path.containsAnyOf (" #?")) << address;
    EXPECT_TRUE (path.endsWith ("/a%20b%23c%3Fd%25e%20%C3%BC.html")) << address;
    EXPECT_TRUE (path.contains ("/share/quillet/site/tools/quillet/doc/")) << address;

    const auto expectedFile = quillet::findProductSiteFolder().getChildFile (page.substring (1));
    EXPECT_EQ (expectedFile.getFullPathName(), juce::URL::removeEscapeChars (path));

    // The leading slash of the page path is optional.
    EXPECT_EQ (address, quillet::getProductPageAddress (page.substring (1)));
}
