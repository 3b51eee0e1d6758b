#pragma once

#include <juce_core/juce_core.h>

namespace quillet
{
/** The product web site's pages ship with the program, in share/quillet/site
    beside the bin folder that holds the executable: the same relative place
    in the build tree and in an installed prefix. */
juce::File findProductSiteFolder();

/** The address of a page of the product site, such as
    getProductPageAddress ("/tools/quillet/doc/index.html"): a file:// address
    of the shipped page. The one place that knows where the product site lives. */
juce::String getProductPageAddress (const juce::String& pagePath);
} // namespace quillet
