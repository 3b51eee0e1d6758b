#include "ProductSite.h"

namespace quillet
{
juce::File findProductSiteFolder()
{
    // The kernel's link names the running executable absolutely, whatever the
    // folder it was started from; the framework's answer can be relative.
    const juce::File selfLink ("/proc/self/exe");
    const auto executable = selfLink.isSymbolicLink() ? selfLink.getLinkedTarget()
                                                      : juce::File::getSpecialLocation (juce::File::currentExecutableFile);
    return executable.getParentDirectory().getSiblingFile ("share").getChildFile ("quillet").getChildFile ("site");
}

juce::String getProductPageAddress (const juce::String& pagePath)
{
    const auto page = findProductSiteFolder().getChildFile (pagePath.trimCharactersAtStart ("/"));

    // Percent-encode the path but keep its slashes, so folders with blanks or
    // non-ASCII names still give a valid address.
    juce::StringArray parts;
    parts.addTokens (page.getFullPathName(), "/", "");
    for (auto& part : parts)
        part = juce::URL::addEscapeChars (part, false);

    return "file://" + parts.joinIntoString ("/");
}
} // namespace quillet
